#pragma once

#include <QIcon>
#include <QObject>
#include <QStringList>
#include <cstdint>
#include <functional>
#include <initializer_list>

#include "FocusLabel.h"
#include "VersionRecord.h"

class TAboutBoxForm;

enum class TAppDataOption { aoAppName, aoComment, aoCopyright, aoVersion, aoDescription };
enum class TLinkOption { loComment, loMakerName, loMakerURL };
enum class TDialogPosition { dpMainFormCenter, dpScreenCenter };

// A set of the values of a small enumeration, one bit per ordinal.
template <typename E>
class TEnumSet {
 public:
  TEnumSet(std::initializer_list<E> Values) {
    for (E value : Values) FBits |= Bit(value);
  }
  bool Contains(E Value) const { return FBits & Bit(Value); }
  bool operator==(const TEnumSet&) const = default;

 private:
  static uint32_t Bit(E Value) { return uint32_t(1) << uint32_t(Value); }
  uint32_t FBits = 0;
};

using TAppDataOptions = TEnumSet<TAppDataOption>;
using TLinkOptions = TEnumSet<TLinkOption>;
using TNotifyEvent = std::function<void(QObject* Sender)>;
using TDialogLinkEvent = std::function<void(QObject* Sender, TLinkOption ALabel, bool& Link)>;

// The about box as a component: each Execute builds the box, fills it from the program's version
// record or from the properties, shows it modally over the owner window and frees it.
class TAboutDialog : public QObject {
  Q_OBJECT

 public:
  // Owner, when it is a window, is the window the box is shown over.
  explicit TAboutDialog(QObject* Owner = nullptr,
                        TVersionRecord VersionRecord = TVersionRecord::Program());

  // Shows the box until it closes; true when it was closed with its Close button.
  bool Execute();

  QString GetComment() const { return Version(TVersionKey::Comments); }
  QString GetCompanyName() const { return Version(TVersionKey::CompanyName); }
  QString GetFileDescription() const { return Version(TVersionKey::FileDescription); }
  QString GetFileVersion() const { return Version(TVersionKey::FileVersion); }
  QString GetInternalName() const { return Version(TVersionKey::InternalName); }
  QString GetCopyright() const { return Version(TVersionKey::LegalCopyright); }
  QString GetTrademark() const { return Version(TVersionKey::LegalTrademarks); }
  QString GetOriginalFileName() const { return Version(TVersionKey::OriginalFileName); }
  QString GetApplicationName() const { return Version(TVersionKey::ProductName); }
  QString GetAppVersion() const { return Version(TVersionKey::ProductVersion); }

  TAppDataOptions AppDataOptions() const { return FAppDataOptions; }
  void SetAppDataOptions(TAppDataOptions Value) { FAppDataOptions = Value; }
  const QString& AppName() const { return FAppName; }
  void SetAppName(const QString& Value);
  const QString& AppVersion() const { return FAppVersion; }
  void SetAppVersion(const QString& Value);
  const QString& Copyright() const { return FCopyright; }
  void SetCopyright(const QString& Value);
  const QString& DescLinkText() const { return FDescLinkText; }
  void SetDescLinkText(const QString& Value) { SetAndReapply(FDescLinkText, Value); }
  const QString& Description() const { return FDescription; }
  void SetDescription(const QString& Value) { SetAndReapply(FDescription, Value); }
  const QIcon& Icon() const { return FIcon; }
  void SetIcon(const QIcon& Value);
  TLinkOptions LinkOptions() const { return FLinkOptions; }
  void SetLinkOptions(TLinkOptions Value) { FLinkOptions = Value; }
  const QString& MakerNameCaption() const { return FMakerNameCaption; }
  void SetMakerNameCaption(const QString& Value) { SetAndReapply(FMakerNameCaption, Value); }
  const QString& MakerNameHint() const { return FMakerNameHint; }
  void SetMakerNameHint(const QString& Value) { SetAndReapply(FMakerNameHint, Value); }
  const QString& MakerNameLinkText() const { return FMakerNameLinkText; }
  void SetMakerNameLinkText(const QString& Value) { SetAndReapply(FMakerNameLinkText, Value); }
  const QString& MakerURLCaption() const { return FMakerURLCaption; }
  void SetMakerURLCaption(const QString& Value) { SetAndReapply(FMakerURLCaption, Value); }
  const QString& MakerURLHint() const { return FMakerURLHint; }
  void SetMakerURLHint(const QString& Value) { SetAndReapply(FMakerURLHint, Value); }
  const QString& MakerURLLinkText() const { return FMakerURLLinkText; }
  void SetMakerURLLinkText(const QString& Value) { SetAndReapply(FMakerURLLinkText, Value); }
  TDialogPosition Position() const { return FPosition; }
  void SetPosition(TDialogPosition Value) { FPosition = Value; }
  const QStringList& UserComment() const { return FUserComment; }
  void SetUserComment(const QStringList& Value);
  void SetOnClose(TNotifyEvent Value) { FOnClose = std::move(Value); }
  void SetOnLink(TDialogLinkEvent Value) { FOnLink = std::move(Value); }
  void SetOnShow(TNotifyEvent Value) { FOnShow = std::move(Value); }
  // Where the box's links are handed; the desktop's default action unless replaced.
  void SetLinkOpener(TLinkOpener Value) { FLinkOpener = std::move(Value); }

  // The box while Execute runs, else none.
  TAboutBoxForm* AboutBox() const { return FAboutBox; }
  bool Showing() const { return FShowing; }

 private:
  QString Version(TVersionKey Key) const { return FVersionRecord.Value(Key); }
  void SetAndReapply(QString& Field, const QString& Value);
  void FillBox();
  void ApplyLinkLabels();
  void ShowIcon();
  void ShowComment(const QStringList& Lines);
  void PlaceBox();
  void LinkDispatch(QObject* Sender, bool& Link);

  TVersionRecord FVersionRecord;
  TAboutBoxForm* FAboutBox = nullptr;
  TAppDataOptions FAppDataOptions{TAppDataOption::aoAppName, TAppDataOption::aoCopyright,
                                  TAppDataOption::aoVersion, TAppDataOption::aoDescription};
  QString FAppVersion;
  QString FAppName;
  QString FCopyright;
  QString FDescLinkText;
  QString FDescription;
  QIcon FIcon;
  TLinkOptions FLinkOptions{TLinkOption::loMakerURL};
  QString FMakerNameCaption;
  QString FMakerNameHint;
  QString FMakerNameLinkText;
  QString FMakerURLCaption;
  QString FMakerURLHint;
  QString FMakerURLLinkText;
  TNotifyEvent FOnClose;
  TDialogLinkEvent FOnLink;
  TNotifyEvent FOnShow;
  TDialogPosition FPosition = TDialogPosition::dpMainFormCenter;
  bool FShowing = false;
  QStringList FUserComment;
  TLinkOpener FLinkOpener;
};
