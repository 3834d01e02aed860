#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "HelpFinder.h"

namespace {

struct MaskCase {
  const char* Mask;
  const char* Name;
  bool Fits;
};

class FitsMaskTest : public ::testing::TestWithParam<MaskCase> {};

TEST_P(FitsMaskTest, MatchesTheWholeName) {
  const MaskCase& c = GetParam();
  EXPECT_EQ(FitsMask(QString::fromUtf8(c.Mask), QString::fromUtf8(c.Name)), c.Fits)
      << "mask \"" << c.Mask << "\", name \"" << c.Name << "\"";
}

INSTANTIATE_TEST_SUITE_P(
    Masks, FitsMaskTest,
    ::testing::Values(
        MaskCase{"*.txt", "readme.txt", true}, MaskCase{"*.txt", "README.TXT", true},
        MaskCase{"*.TXT", "readme.txt", true}, MaskCase{"*.txt", "notes.txt.bak", false},
        MaskCase{"*.txt", "readme.txtx", false}, MaskCase{"*.txt", ".txt", true},
        MaskCase{"*", "anything at all", true}, MaskCase{"*", "x", true},
        MaskCase{"*.*", "a.b", true}, MaskCase{"*.*", "noextension", false},
        MaskCase{"*.*", ".hidden", true}, MaskCase{"?", "a", true}, MaskCase{"?", "ab", false},
        MaskCase{"r??d*", "read.me", true}, MaskCase{"r??d*", "rd", false},
        MaskCase{"readme.txt", "ReadMe.TXT", true}, MaskCase{"readme.txt", "readme.tx", false},
        MaskCase{"readme.txt", "areadme.txt", false}, MaskCase{"", "", false},
        MaskCase{"", "readme.txt", false}, MaskCase{"*a*b", "xaxbxb", true},
        MaskCase{"*a*b", "xaxbxa", false},
        MaskCase{"*a*a*a*a*a*a*a*a*b", "aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa", false},
        // Only the ASCII letters fold; other letters must be identical.
        MaskCase{"ä.txt", "Ä.txt", false}, MaskCase{"ヘルプ.txt", "ヘルプ.TXT", true},
        // "?" stands for one character, even outside the basic plane.
        MaskCase{"?.pdf", "😀.pdf", true}));

// A folder with documents, look-alikes and a nested subfolder, created fresh for each test.
class FindFilesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(FFolder.isValid());
    for (const char* name :
         {"readme.txt", "manual.pdf", "README2.TXT", "guide.chm", "notes.txt.bak", "image.png",
          ".hidden.txt", "sub/inner.txt", "sub/deeper/deep.pdf", "folder.txt/inside.png"})
      Create(QString::fromUtf8(name));
  }

  void Create(const QString& relative) {
    const QString path = FFolder.filePath(relative);
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  }

  // The paths found, relative to the folder and sorted, since the file system sets the order.
  QStringList Found(const QString& masks, uint16_t depth) {
    QStringList list;
    EXPECT_TRUE(FindFiles(FFolder.path(), masks, depth, list));
    QStringList relative;
    for (const QString& path : list) {
      EXPECT_TRUE(path.startsWith(FFolder.path() + u'/')) << path.toStdString();
      relative.append(path.mid(FFolder.path().size() + 1));
    }
    relative.sort();
    return relative;
  }

  QTemporaryDir FFolder;
};

TEST_F(FindFilesTest, FindsTheHelpDocumentsOfTheFolderAloneAtDepthZero) {
  EXPECT_EQ(Found(QStringLiteral("*.txt;*.chm;*.pdf"), 0),
            (QStringList{".hidden.txt", "README2.TXT", "guide.chm", "manual.pdf", "readme.txt"}));
}

TEST_F(FindFilesTest, DescendsAsManyLevelsAsAllowed) {
  EXPECT_EQ(
      Found(QStringLiteral("*.txt;*.pdf"), 1),
      (QStringList{".hidden.txt", "README2.TXT", "manual.pdf", "readme.txt", "sub/inner.txt"}));
  EXPECT_EQ(Found(QStringLiteral("*.pdf"), 2), (QStringList{"manual.pdf", "sub/deeper/deep.pdf"}));
}

TEST_F(FindFilesTest, ListsEachFileOnceWhenSeveralMasksFit) {
  EXPECT_EQ(Found(QStringLiteral("*.txt;readme.*;*"), 0),
            (QStringList{".hidden.txt", "README2.TXT", "guide.chm", "image.png", "manual.pdf",
                         "notes.txt.bak", "readme.txt"}));
}

TEST_F(FindFilesTest, AMaskStartingWithADotMeansAnyNameWithThatEnding) {
  EXPECT_EQ(Found(QStringLiteral(".pdf;.CHM"), 0), (QStringList{"guide.chm", "manual.pdf"}));
}

TEST_F(FindFilesTest, EmptyMasksFitNothing) {
  EXPECT_EQ(Found(QString(), 0), QStringList());
  EXPECT_EQ(Found(QStringLiteral(";;"), 0), QStringList());
  EXPECT_EQ(Found(QStringLiteral(";*.chm;"), 0), QStringList{"guide.chm"});
}

TEST_F(FindFilesTest, AFolderPathWithATrailingDelimiterGivesTheSamePaths) {
  QStringList list;
  ASSERT_TRUE(FindFiles(FFolder.path() + u'/', QStringLiteral("*.chm"), 0, list));
  EXPECT_EQ(list, QStringList{FFolder.path() + QStringLiteral("/guide.chm")});
}

TEST_F(FindFilesTest, LinkedFoldersAreNotFollowed) {
  ASSERT_TRUE(QFile::link(FFolder.path(), FFolder.filePath(QStringLiteral("sub/loop"))));
  EXPECT_EQ(Found(QStringLiteral("*.chm"), 5), QStringList{"guide.chm"});
}

TEST_F(FindFilesTest, AMissingOrNonFolderPathFindsNothingAndClearsTheList) {
  for (const QString& folder : {FFolder.filePath(QStringLiteral("missing")),
                                FFolder.filePath(QStringLiteral("readme.txt")), QString()}) {
    QStringList list{QStringLiteral("left over")};
    EXPECT_FALSE(FindFiles(folder, QStringLiteral("*"), 0, list)) << folder.toStdString();
    EXPECT_TRUE(list.isEmpty());
  }
}

TEST_F(FindFilesTest, AnExistingFolderWithoutMatchesIsStillFound) {
  QStringList list{QStringLiteral("left over")};
  EXPECT_TRUE(FindFiles(FFolder.path(), QStringLiteral("*.doc"), 0, list));
  EXPECT_TRUE(list.isEmpty());
}

}  // namespace
