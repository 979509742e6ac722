#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QString>

#include "ui/Translation.h"

namespace {

using veyra::QtTranslationDirectories;

struct Place {
  const char* expect;
  QString directory;
  int position;  // where it must stand in the search
};

TEST(QtCatalogueTest, QtsRussianTextsAreLookedForBesideTheProgramThenInQtsOwnPath) {
  const Place rows[] = {
      {"a Windows copy looks for Qt's Russian buttons in its own folder first",
       QCoreApplication::applicationDirPath() + "/translations", 0},
      {"a Linux system's Qt catalogues are looked for in Qt's path next",
       QLibraryInfo::path(QLibraryInfo::TranslationsPath), 1},
  };
  const QStringList directories = QtTranslationDirectories();
  for (const Place& row : rows) {
    SCOPED_TRACE(row.expect);
    // Qt's DLLs beside the program, as on Windows, make Qt's path the program's folder: one place.
    if (row.position > 0 && row.directory == rows[0].directory) continue;
    EXPECT_EQ(directories.indexOf(row.directory), row.position) << directories.join(", ").toStdString();
  }
}

}  // namespace
