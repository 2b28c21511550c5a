// A file replaced whole or not at all: on a disk that fills up the old file
// stays as it was and nothing of the new one is left; a link leads to the
// file it names, and the file keeps its permissions.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "SmallFileSystem.h"
#include "runtime/WholeFile.h"

namespace {

QByteArray contentOf(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void put(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  ASSERT_EQ(file.write(bytes), bytes.size());
}

TEST(WholeFile, ReplacesTheFileWholeAndLeavesNothingBeside) {
  QTemporaryDir dir;
  const QString file = dir.filePath(QStringLiteral("doc.xml"));
  put(file, "old");
  ::chmod(QFile::encodeName(file).constData(), 0640);
  EXPECT_FALSE(rt::replaceFileWhole(file, "new content"));
  EXPECT_EQ(contentOf(file), "new content");
  struct stat status {};
  ASSERT_EQ(::stat(QFile::encodeName(file).constData(), &status), 0);
  EXPECT_EQ(status.st_mode & 0777, 0640u);
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
            QStringList{QStringLiteral("doc.xml")});
}

TEST(WholeFile, ASymbolicLinkLeadsToTheFileItNames) {
  QTemporaryDir dir;
  const QString target = dir.filePath(QStringLiteral("target.xml"));
  const QString link = dir.filePath(QStringLiteral("link.xml"));
  put(target, "old");
  ASSERT_TRUE(QFile::link(target, link));
  EXPECT_FALSE(rt::replaceFileWhole(link, "new"));
  EXPECT_EQ(contentOf(target), "new");
  EXPECT_TRUE(QFileInfo(link).isSymLink());
}

TEST(WholeFile, AFullDiskKeepsTheOldFileAndSaysSo) {
  testsupport::SmallFileSystem small(24 * 1024);
  const QString file = small.filePath(QStringLiteral("doc.xml"));
  const QByteArray old(small.fileLimit() - 1024, 'o');
  put(file, old);
  const QByteArray bigger(small.fileLimit() + 4096, 'n');
  std::optional<rt::RuntimeError> error;
  {
    const testsupport::SmallFileSystem::Scope limited(small);
    error = rt::replaceFileWhole(file, bigger, QStringLiteral("test"));
  }
  ASSERT_TRUE(error);
  EXPECT_EQ(error->Number(), rt::err::DiskFull);
  EXPECT_TRUE(error->Description().contains(file)) << qPrintable(error->Description());
  EXPECT_EQ(contentOf(file), old);
  EXPECT_EQ(QDir(small.path()).entryList(QDir::Files | QDir::Hidden),
            QStringList{QStringLiteral("doc.xml")});
}

TEST(WholeFile, AWriterPutsItsPiecesInPlaceOnlyWhenCommitted) {
  QTemporaryDir dir;
  const QString file = dir.filePath(QStringLiteral("doc.xml"));
  put(file, "old");
  const QByteArray piece(10000, 'p');  // longer than one write to the disk
  {
    rt::WholeFileWriter dropped(file);
    dropped.write(piece);
  }
  EXPECT_EQ(contentOf(file), "old");
  rt::WholeFileWriter writer(file);
  writer.write(piece);
  writer.write("end", 3);
  EXPECT_EQ(contentOf(file), "old");
  EXPECT_FALSE(writer.commit());
  EXPECT_EQ(contentOf(file), piece + "end");
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
            QStringList{QStringLiteral("doc.xml")});
}

TEST(WholeFile, AFolderThatIsNotThereIsAnError) {
  QTemporaryDir dir;
  const std::optional<rt::RuntimeError> error =
      rt::replaceFileWhole(dir.filePath(QStringLiteral("no-folder/doc.xml")), "x");
  ASSERT_TRUE(error);
  EXPECT_EQ(error->Number(), rt::err::PathNotFound);
  rt::WholeFileWriter writer(dir.filePath(QStringLiteral("no-folder/doc.xml")));
  writer.write("x", 1);
  const std::optional<rt::RuntimeError> committed = writer.commit();
  ASSERT_TRUE(committed);
  EXPECT_EQ(committed->Number(), rt::err::PathNotFound);
}

}  // namespace
