#pragma once
// The files a run is to write, checked before it starts, so that a run
// of many minutes does not end in a report it cannot write: each problem
// names the option, the file and the folder in question.

#include <QString>

namespace hostapp {

// Why the file of that option (--results, --report) could not be written;
// empty when nothing speaks against it.
QString outputFileProblem(const QString& option, const QString& file);

// Why the folder of that option (--screenshots) could not be made or
// written into; empty when nothing speaks against it.
QString outputFolderProblem(const QString& option, const QString& folder);

// Whether the two paths name one file: by its device and inode where it
// exists (hard and symbolic links are the file), else by where it would be
// made (FileRoles.h).
bool sameFile(const QString& one, const QString& other);

}  // namespace hostapp
