#pragma once
// One test element of a stored sequence, opened to edit its settings and
// written back in place. Only that element's configuration ("PlugInData")
// is rewritten; every other byte of the file stays as it was, whatever its
// layout, so that nothing else a person or another program wrote into the
// file changes. The element is created and loaded as the sequence document
// loads it; what its load reports goes to the host's ErrorService.

#include <QByteArray>
#include <QString>

#include "runtime/RuntimeError.h"
#include "typelib/HostTypes.h"

namespace host {

namespace sequenceerr {
// The element's stored settings could not be loaded: writing them back
// would replace what was stored by the part of it that could be read.
constexpr rt::Long SettingsNotRead = rt::hresult(0x80048B03);
// The file cannot be written back byte for byte in its own encoding.
constexpr rt::Long NotRewritable = rt::hresult(0x80048B04);
}  // namespace sequenceerr

class StoredElementEdit {
 public:
  // Reads the file and its element at position, counted from 1 over the
  // "TestElement" entries of the sequence. Raises the file's error (53,
  // 52..76), 5 for a file that is not well-formed XML, NotASequence, 9 for
  // a position the sequence does not have, BadEntry for an entry that
  // cannot become a test element, SettingsNotRead and NotRewritable.
  StoredElementEdit(const QString& path, int position);
  ~StoredElementEdit();
  StoredElementEdit(const StoredElementEdit&) = delete;
  StoredElementEdit& operator=(const StoredElementEdit&) = delete;

  const ITestElementPtr& Element() const { return element_; }

  // The file with the element's configuration as it is now in place of
  // the stored one (or added as its last part when it had none).
  QByteArray Edited() const;
  // Writes Edited() over the file, whole or not at all; a file error
  // raises and the file stays as it was.
  void Save() const;

  // Where the element and its configuration are in the file's text.
  struct Place {
    qsizetype begin = -1;        // the entry's start tag
    qsizetype startTagEnd = -1;  // after its start tag
    qsizetype endTagBegin = -1;  // its end tag (startTagEnd for an empty one)
    qsizetype end = -1;          // after the entry
    qsizetype partBegin = -1;    // its first "PlugInData", -1 without one
    qsizetype partEnd = -1;
  };

 private:
  QString path_;
  QByteArray byteOrderMark_;
  QString encoding_;
  QString text_;
  Place place_;
  ITestElementPtr element_;
};

}  // namespace host
