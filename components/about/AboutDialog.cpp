#include "AboutDialog.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QScreen>
#include <memory>

#include "AboutBoxUnit.h"
#include "ErrorGuard.h"

namespace {

constexpr int kIconSize = 48;

// Turns a label into a link; labels left alone keep the box's settings and stay inert.
void MakeLink(TFocusLabel* Label) {
  Label->SetLinking(true);
  Label->SetFontChange(true);
  Label->SetFocusedCursor(Qt::PointingHandCursor);
}

void ApplyLinkLabel(TFocusLabel* Label, const QString& Caption, const QString& LinkText,
                    const QString& Hint, bool IsLink) {
  Label->setText(Caption);
  Label->SetLinkText(LinkText);
  Label->setToolTip(Hint);  // an empty tool tip is not shown
  if (IsLink) MakeLink(Label);
}

// The name and version lines size themselves to their text.
void SetAutoSizedText(QLabel* Label, const QString& Text) {
  Label->setText(Text);
  Label->adjustSize();
}

}  // namespace

TAboutDialog::TAboutDialog(QObject* Owner, TVersionRecord VersionRecord)
    : QObject(Owner), FVersionRecord(std::move(VersionRecord)) {}

bool TAboutDialog::Execute() {
  auto* window = qobject_cast<QWidget*>(parent());
  auto box = std::make_unique<TAboutBoxForm>(window);
  FAboutBox = box.get();
  // Runs before the box is freed, whatever ends the call.
  const std::unique_ptr<TAboutDialog, void (*)(TAboutDialog*)> forget(this, [](TAboutDialog* d) {
    d->FShowing = false;
    d->FAboutBox = nullptr;
  });
  FillBox();
  PlaceBox();
  box->SetOnShow([this] {
    FShowing = true;
    if (FOnShow) FOnShow(this);
  });
  connect(box.get(), &QDialog::finished, this, [this] {
    FShowing = false;
    if (FOnClose) RunGuarded([this] { FOnClose(this); });
  });
  for (TFocusLabel* label : {box->DescriptionLabel, box->SupportNameLabel, box->SupportURLLabel}) {
    label->SetOnLink([this](QObject* Sender, bool& Link) { LinkDispatch(Sender, Link); });
    if (FLinkOpener) label->SetOpener(FLinkOpener);
  }
  return box->exec() == QDialog::Accepted;
}

void TAboutDialog::FillBox() {
  ShowIcon();
  const auto uses = [this](TAppDataOption option) { return FAppDataOptions.Contains(option); };
  SetAutoSizedText(FAboutBox->ApplicationNameLabel,
                   uses(TAppDataOption::aoAppName) ? GetApplicationName() : FAppName);
  FAboutBox->CopyrightLabel->setText(uses(TAppDataOption::aoCopyright) ? GetCopyright()
                                                                       : FCopyright);
  ShowComment(uses(TAppDataOption::aoComment)
                  ? GetComment().split(QRegularExpression(QStringLiteral("\r\n|\r|\n")))
                  : FUserComment);
  SetAutoSizedText(FAboutBox->VersionLabel, uses(TAppDataOption::aoVersion)
                                                ? QStringLiteral("Version ") + GetAppVersion()
                                                : FAppVersion);
  ApplyLinkLabels();
}

void TAboutDialog::ApplyLinkLabels() {
  const QString description =
      FAppDataOptions.Contains(TAppDataOption::aoDescription) ? GetFileDescription() : FDescription;
  ApplyLinkLabel(FAboutBox->DescriptionLabel, description, FDescLinkText, QString(),
                 FLinkOptions.Contains(TLinkOption::loComment));
  ApplyLinkLabel(FAboutBox->SupportNameLabel, FMakerNameCaption, FMakerNameLinkText, FMakerNameHint,
                 FLinkOptions.Contains(TLinkOption::loMakerName));
  ApplyLinkLabel(FAboutBox->SupportURLLabel, FMakerURLCaption, FMakerURLLinkText, FMakerURLHint,
                 FLinkOptions.Contains(TLinkOption::loMakerURL));
}

void TAboutDialog::ShowIcon() { FAboutBox->AppImage->setPixmap(FIcon.pixmap(kIconSize)); }

void TAboutDialog::ShowComment(const QStringList& Lines) {
  FAboutBox->CommentMemo->setPlainText(Lines.join(u'\n'));
}

void TAboutDialog::PlaceBox() {
  QWidget* window = FAboutBox->parentWidget();
  QRect area;
  if (FPosition == TDialogPosition::dpMainFormCenter && window)
    area = window->frameGeometry();
  else if (QScreen* screen = window ? window->screen() : QGuiApplication::primaryScreen())
    area = screen->availableGeometry();
  if (area.isValid()) FAboutBox->move(area.center() - FAboutBox->rect().center());
}

// The labels report by their place in the box which of the three links is about to open.
void TAboutDialog::LinkDispatch(QObject* Sender, bool& Link) {
  if (!FOnLink || !FAboutBox) return;
  TLinkOption label = TLinkOption::loMakerURL;
  if (Sender == FAboutBox->DescriptionLabel)
    label = TLinkOption::loComment;
  else if (Sender == FAboutBox->SupportNameLabel)
    label = TLinkOption::loMakerName;
  FOnLink(this, label, Link);
}

void TAboutDialog::SetAndReapply(QString& Field, const QString& Value) {
  Field = Value;
  if (FAboutBox) ApplyLinkLabels();
}

void TAboutDialog::SetAppName(const QString& Value) {
  FAppName = Value;
  if (FAboutBox) SetAutoSizedText(FAboutBox->ApplicationNameLabel, Value);
}

void TAboutDialog::SetAppVersion(const QString& Value) {
  FAppVersion = Value;
  if (FAboutBox) SetAutoSizedText(FAboutBox->VersionLabel, Value);
}

void TAboutDialog::SetCopyright(const QString& Value) {
  FCopyright = Value;
  if (FAboutBox) FAboutBox->CopyrightLabel->setText(Value);
}

void TAboutDialog::SetIcon(const QIcon& Value) {
  FIcon = Value;
  if (FAboutBox) ShowIcon();
}

void TAboutDialog::SetUserComment(const QStringList& Value) {
  FUserComment = Value;
  if (FAboutBox) ShowComment(Value);
}
