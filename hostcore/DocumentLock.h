#pragma once
// One writer at a time for a results document: a lock file beside it
// ("<document>.lock", Qt's QLockFile), held while a run, an edit, a resave
// or a window has the document. A lock counts as held while the process
// that took it lives, however old it is; one that a process left behind
// when it ended is taken over, and said so.

#include <QLockFile>
#include <QString>
#include <memory>

namespace hostapp {

class DocumentLock {
 public:
  explicit DocumentLock(const QString& document);
  ~DocumentLock();
  DocumentLock(const DocumentLock&) = delete;
  DocumentLock& operator=(const DocumentLock&) = delete;

  // Takes the lock; false when another process holds it (Refusal() says
  // which). Taking it again while held is true.
  bool Take();
  bool Held() const;
  // Who holds the document, as its lock records: "<file> is in use by
  // process <pid> (<program>) on <host>".
  QString Refusal() const { return refusal_; }
  // When Take() took over a lock left by an ended process, the message
  // that says so; else empty.
  QString TakenOver() const { return takenOver_; }
  QString Document() const { return document_; }

 private:
  QString document_;
  std::unique_ptr<QLockFile> lock_;
  QString refusal_;
  QString takenOver_;
};

}  // namespace hostapp
