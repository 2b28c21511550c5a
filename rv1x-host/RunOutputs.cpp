#include "RunOutputs.h"

#include <QDir>
#include <QFileInfo>

#include "FileRoles.h"

namespace hostapp {

namespace {

// Why nothing could be written into the folder, which exists.
QString folderProblem(const QFileInfo& folder, const QString& option) {
  if (!folder.isDir())
    return QStringLiteral("%1 of %2 is not a folder").arg(folder.filePath(), option);
  if (!folder.isWritable())
    return QStringLiteral("you may not write into the folder %1 of %2")
        .arg(folder.filePath(), option);
  return {};
}

}  // namespace

QString outputFileProblem(const QString& option, const QString& file) {
  const QFileInfo info(file);
  const QFileInfo folder(info.absolutePath());
  if (!folder.exists())
    return QStringLiteral("the folder %1 of %2 %3 does not exist")
        .arg(folder.filePath(), option, file);
  if (QString problem = folderProblem(folder, option); !problem.isEmpty()) return problem;
  if (info.isDir()) return QStringLiteral("%1 %2 is a folder").arg(option, file);
  if (info.exists() && !info.isWritable())
    return QStringLiteral("you may not write %1 (%2)").arg(file, option);
  return {};
}

QString outputFolderProblem(const QString& option, const QString& folder) {
  // The folder itself, or the nearest folder above it that is there, in
  // which the rest is to be made.
  QFileInfo existing(QDir::cleanPath(QFileInfo(folder).absoluteFilePath()));
  while (!existing.exists() && !existing.isRoot()) existing = QFileInfo(existing.absolutePath());
  return folderProblem(existing, option);
}

bool sameFile(const QString& one, const QString& other) {
  return sameFileByIdentity(one, other);
}

}  // namespace hostapp
