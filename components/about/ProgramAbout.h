#pragma once

#include <QIcon>
#include <QString>

class TAboutDialog;

// The maker's web page. The project has no public page yet; this reserved address stands for it.
inline const QString kMakerURL = QStringLiteral("https://levelora.example.org/");

// The program's icon, also fit for its windows.
QIcon ProgramIcon();

// Sets up the program's own about box: name, version, legal notice and comment from the version
// record, the maker's name, and the maker's page as the only link.
void ConfigureProgramAbout(TAboutDialog& Dialog);
