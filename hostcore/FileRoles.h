#pragma once
// The files of one command, each in its role (the sequence document, the
// results document, the template, the operator file, the registry, the
// report, the export). No file fills two roles: files are told apart by
// what they are (device and inode, so that a hard or symbolic link is the
// file it leads to), a file not yet there by its folder's real path and
// its name. A file read and written back in its one role is one entry.

#include <QList>
#include <QString>
#include <utility>

#include "CommonOptions.h"

namespace hostapp {

namespace role {
inline const QString Sequence = QStringLiteral("sequence document");
inline const QString Results = QStringLiteral("results document");
inline const QString Template = QStringLiteral("template");
inline const QString Operator = QStringLiteral("operator file");
inline const QString Registry = QStringLiteral("registry");
inline const QString Report = QStringLiteral("report");
inline const QString Export = QStringLiteral("export");
}  // namespace role

class FileRoles {
 public:
  // The registry and the template the command's plug-in reads.
  explicit FileRoles(const CommonOptions& options);

  // A file in its role, as the command line names it (the option, or ""
  // for an argument); an empty path is no file. written: the command
  // writes it.
  FileRoles& add(const QString& role, const QString& given, const QString& path, bool written);
  // Two roles that may share a file (a sequence continued in place).
  FileRoles& allow(const QString& one, const QString& other);

  // Why two roles fall on one file, naming both; empty when none do.
  QString clash() const;

 private:
  struct Entry {
    QString role;
    QString given;
    QString path;
    bool written;
  };
  bool allowed(const QString& one, const QString& other) const;

  QList<Entry> entries_;
  QList<std::pair<QString, QString>> allowed_;
};

// Whether the two paths name one file, by the identity FileRoles uses.
bool sameFileByIdentity(const QString& one, const QString& other);

}  // namespace hostapp
