#include "ProgramAbout.h"

#include "AboutDialog.h"

QIcon ProgramIcon() { return QIcon(QStringLiteral(":/about/levelora.svg")); }

void ConfigureProgramAbout(TAboutDialog& Dialog) {
  Dialog.SetAppDataOptions({TAppDataOption::aoAppName, TAppDataOption::aoComment,
                            TAppDataOption::aoCopyright, TAppDataOption::aoVersion});
  Dialog.SetLinkOptions({TLinkOption::loMakerURL});
  Dialog.SetMakerNameCaption(Dialog.GetCompanyName());
  Dialog.SetMakerURLCaption(kMakerURL);
  Dialog.SetMakerURLLinkText(kMakerURL);
  Dialog.SetIcon(ProgramIcon());
}
