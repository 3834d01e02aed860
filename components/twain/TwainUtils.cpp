#include "TwainUtils.h"

#include <dlfcn.h>

#include <QBuffer>
#include <QCoreApplication>
#include <QEventLoop>
#include <QImageReader>
#include <QPointer>
#include <cmath>
#include <cstring>
#include <exception>
#include <limits>
#include <memory>

#include "ErrorGuard.h"
#include "Exception.h"
#include "FloatingPointGuard.h"
#include "GlobalMemory.h"

namespace {

constexpr size_t FileHeaderSize = 14;
const QString TransferFailedText = QStringLiteral("転送中にエラー発生");

QString ManagerLibraryName = QStringLiteral("liblevelora_twaindsm.so");
void* ManagerLibrary = nullptr;
DSMENTRYPROC ManagerEntry = nullptr;
int32_t LiveSessions = 0;
std::unique_ptr<TTwain> Shared;

void LoadSourceManager() {
  ManagerLibrary = dlopen(ManagerLibraryName.toLocal8Bit().constData(), RTLD_NOW | RTLD_LOCAL);
  if (ManagerLibrary == nullptr) throw Exception(QStringLiteral("TWAIN_32.DLLが見つかりません"));
  ManagerEntry = reinterpret_cast<DSMENTRYPROC>(dlsym(ManagerLibrary, "DSM_Entry"));
  if (ManagerEntry == nullptr) {
    // Nothing uses a library without the entry point: unload it rather than keep it.
    dlclose(ManagerLibrary);
    ManagerLibrary = nullptr;
    throw Exception(QStringLiteral("アサートの失敗"));
  }
}

void FreeSourceManager() {
  dlclose(ManagerLibrary);
  ManagerLibrary = nullptr;
  ManagerEntry = nullptr;
}

uint32_t Little32(const uint8_t* Bytes) {
  return Bytes[0] | Bytes[1] << 8 | Bytes[2] << 16 | static_cast<uint32_t>(Bytes[3]) << 24;
}

uint16_t Little16(const uint8_t* Bytes) { return static_cast<uint16_t>(Bytes[0] | Bytes[1] << 8); }

void PutLittle32(char* Target, uint32_t Value) {
  for (int i = 0; i < 4; ++i) Target[i] = static_cast<char>(Value >> (8 * i));
}

[[noreturn]] void BadDib() { throw Exception(TransferFailedText); }

// What the header of a DIB says about the bytes that follow it.
struct TDibLayout {
  int64_t Width = 0;
  int64_t Height = 0;
  uint32_t BitCount = 0;
  bool Compressed = false;
  uint64_t BitsOffset = 0;  // from the start of the DIB
};

TDibLayout ReadDibLayout(const uint8_t* Dib, size_t Size) {
  if (Size < 12) BadDib();
  const uint32_t headerSize = Little32(Dib);
  TDibLayout layout;
  uint64_t colours = 0;
  uint64_t entrySize = 4;
  uint64_t masks = 0;
  if (headerSize == 12) {
    layout.Width = Little16(Dib + 4);
    layout.Height = Little16(Dib + 6);
    layout.BitCount = Little16(Dib + 10);
    entrySize = 3;
  } else {
    if (headerSize < 40 || headerSize > Size) BadDib();
    layout.Width = static_cast<int32_t>(Little32(Dib + 4));
    layout.Height = static_cast<int32_t>(Little32(Dib + 8));
    layout.BitCount = Little16(Dib + 14);
    const uint32_t compression = Little32(Dib + 16);
    colours = Little32(Dib + 32);
    // Colour masks follow a plain info header when the pixels are bit fields.
    if (headerSize == 40 && (compression == 3 || compression == 6))
      masks = compression == 3 ? 12 : 16;
    layout.Compressed = compression == 1 || compression == 2;
  }
  if (layout.BitCount == 0 || layout.BitCount > 32) BadDib();
  if (colours == 0 && layout.BitCount <= 8) colours = uint64_t{1} << layout.BitCount;
  layout.BitsOffset = headerSize + masks + entrySize * colours;
  if (layout.Width <= 0 || layout.Height == 0 || layout.BitsOffset > Size) BadDib();
  return layout;
}

void CheckPixelBits(const TDibLayout& Layout, size_t Size) {
  if (Layout.Compressed) return;  // the loader bounds its own decoding of run lengths
  const uint64_t stride = (static_cast<uint64_t>(Layout.Width) * Layout.BitCount + 31) / 32 * 4;
  const uint64_t lines = static_cast<uint64_t>(std::llabs(Layout.Height));
  if (stride * lines > Size - Layout.BitsOffset) BadDib();
}

// Large scans exceed the image reader's default allocation limit.
void AllowAllocation(const TDibLayout& Layout) {
  const int64_t megabytes = Layout.Width * std::llabs(Layout.Height) * 4 / (1024 * 1024) + 1;
  const int limit = QImageReader::allocationLimit();
  if (limit != 0 && megabytes > limit)
    QImageReader::setAllocationLimit(static_cast<int>(std::min<int64_t>(megabytes, INT32_MAX)));
}

// Frees an image or container handle however the work on it ends.
struct THandleOwner {
  TW_HANDLE Handle;
  ~THandleOwner() {
    GlobalUnlock(Handle);
    GlobalFree(Handle);
  }
};

}  // namespace

// Hands every event of the nested loop to the source first; the source's own messages end the
// wait (and the transfer happens here), all others go on to their receivers.
class TTransferFilter : public QObject {
 public:
  TTransferFilter(TTwain& Twain, QImage& Bitmap, QEventLoop& Loop)
      : FTwain(Twain), FBitmap(Bitmap), FLoop(Loop) {}

  bool eventFilter(QObject*, QEvent* Event) override {
    if (FFinished) return false;
    TW_UINT16 message = MSG_NULL;
    try {
      if (!FTwain.IsSourceEvent(Event, message)) return false;
      if (message == MSG_XFERREADY) {
        Finish();
        FTransferred = FTwain.TransferNative(FBitmap);
      } else if (message == MSG_CLOSEDSREQ || message == MSG_CLOSEDSOK) {
        Finish();
      }
    } catch (...) {
      FError = std::current_exception();
      Finish();
    }
    return true;
  }

  bool Result() const {
    if (FError) std::rethrow_exception(FError);
    return FTransferred;
  }

 private:
  void Finish() {
    FFinished = true;
    FLoop.exit();
  }

  TTwain& FTwain;
  QImage& FBitmap;
  QEventLoop& FLoop;
  bool FFinished = false;
  bool FTransferred = false;
  std::exception_ptr FError;
};

TTwain::TTwain() {
  if (LiveSessions == 0) LoadSourceManager();
  ++LiveSessions;
  std::memset(&AppId, 0, sizeof(AppId));
  std::memset(&SrcId, 0, sizeof(SrcId));
  AppId.Version.Language = TWLG_USERLOCALE;
  AppId.Version.Country = TWCY_JAPAN;
  CopyToStr32(AppId.Version.Info, QStringLiteral("VERSION INFO"));
  AppId.ProtocolMajor = 1;
  AppId.ProtocolMinor = 8;
  AppId.SupportedGroups = DG_CONTROL | DG_IMAGE;
  CopyToStr32(AppId.Manufacturer, QStringLiteral("MANUFACTURER"));
  CopyToStr32(AppId.ProductFamily, QStringLiteral("PRODUCT FAMILY"));
  CopyToStr32(AppId.ProductName, QStringLiteral("PRODUCT NAME"));
}

TTwain::~TTwain() {
  RunGuarded([this] {
    if (DSEnabled) DisableSource();
    if (DSOpened) CloseSource();
    if (DSMOpened) CloseSourceManager();
  });
  if (--LiveSessions == 0) FreeSourceManager();
}

TW_UINT16 TTwain::DsmCall(TW_IDENTITY* Origin, TW_IDENTITY* Dest, TW_UINT32 DG, TW_UINT16 DAT,
                          TW_UINT16 MSG, TW_MEMREF Data) {
  TFloatingPointGuard guard;
  return ManagerEntry(Origin, Dest, DG, DAT, MSG, Data);
}

TW_UINT16 TTwain::AppCall(TW_IDENTITY* Dest, TW_UINT32 DG, TW_UINT16 DAT, TW_UINT16 MSG,
                          TW_MEMREF Data) {
  return DsmCall(&AppId, Dest, DG, DAT, MSG, Data);
}

void TTwain::CheckedCall(TW_IDENTITY* Dest, TW_UINT32 DG, TW_UINT16 DAT, TW_UINT16 MSG,
                         TW_MEMREF Data) {
  if (AppCall(Dest, DG, DAT, MSG, Data) != TWRC_SUCCESS) RaiseTwainError(Dest);
}

void TTwain::RaiseTwainError(TW_IDENTITY* Dest) {
  TW_STATUS status{};
  const bool known = AppCall(Dest, DG_CONTROL, DAT_STATUS, MSG_GET, &status) == TWRC_SUCCESS;
  throw Exception(QStringLiteral("TWAIN: ") +
                  (known ? ConditionText(status.ConditionCode) : QString()));
}

void TTwain::OpenSourceManager(QWidget* Parent) {
  HandleWnd = Parent;
  CheckedCall(nullptr, DG_CONTROL, DAT_PARENT, MSG_OPENDSM, &HandleWnd);
  DSMOpened = true;
}

void TTwain::CloseSourceManager() {
  CheckedCall(nullptr, DG_CONTROL, DAT_PARENT, MSG_CLOSEDSM, &HandleWnd);
  DSMOpened = false;
}

void TTwain::OpenSource() {
  CheckedCall(nullptr, DG_CONTROL, DAT_IDENTITY, MSG_OPENDS, &SrcId);
  DSOpened = true;
}

void TTwain::CloseSource() {
  CheckedCall(nullptr, DG_CONTROL, DAT_IDENTITY, MSG_CLOSEDS, &SrcId);
  DSOpened = false;
}

TW_UINT16 TTwain::UserSelectSource() {
  return AppCall(nullptr, DG_CONTROL, DAT_IDENTITY, MSG_USERSELECT, &SrcId);
}

void TTwain::EnableSource(bool ShowUI, bool ModalUI, QWidget* Parent) {
  TW_USERINTERFACE userInterface{ShowUI ? TW_BOOL{1} : TW_BOOL{0},
                                 ModalUI ? TW_BOOL{1} : TW_BOOL{0}, Parent};
  CheckedCall(&SrcId, DG_CONTROL, DAT_USERINTERFACE, MSG_ENABLEDS, &userInterface);
  DSEnabled = true;
}

void TTwain::DisableSource() {
  TW_USERINTERFACE userInterface{};
  CheckedCall(&SrcId, DG_CONTROL, DAT_USERINTERFACE, MSG_DISABLEDS, &userInterface);
  DSEnabled = false;
}

bool TTwain::SelectDevice(QWidget* Parent) {
  if (DSEnabled) DisableSource();
  if (DSOpened) CloseSource();
  if (!DSMOpened) OpenSourceManager(Parent);
  return UserSelectSource() == TWRC_SUCCESS;
}

bool TTwain::TransferImage(QImage& Bitmap, bool UI, QWidget* Parent) {
  if (!DSMOpened) OpenSourceManager(Parent);
  if (!DSOpened) OpenSource();
  if (!DSEnabled) EnableSource(UI, UI, Parent);
  bool result = false;
  std::exception_ptr error;
  {
    TFloatingPointGuard guard;
    try {
      result = WaitForTransfer(Bitmap);
    } catch (...) {
      error = std::current_exception();
    }
  }
  DisableSource();
  if (error) std::rethrow_exception(error);
  return result;
}

bool TTwain::WaitForTransfer(QImage& Bitmap) {
  QEventLoop loop;
  TTransferFilter filter(*this, Bitmap, loop);
  QCoreApplication::instance()->installEventFilter(&filter);
  // The loop also ends, without an image, when the application is asked to quit.
  loop.exec();
  QCoreApplication::instance()->removeEventFilter(&filter);
  return filter.Result();
}

bool TTwain::IsSourceEvent(QEvent* Event, TW_UINT16& Message) {
  TW_EVENT event{Event, MSG_NULL};
  const bool own = AppCall(&SrcId, DG_CONTROL, DAT_EVENT, MSG_PROCESSEVENT, &event) == TWRC_DSEVENT;
  Message = event.TWMessage;
  return own;
}

bool TTwain::TransferNative(QImage& Bitmap) {
  TW_HANDLE handle = nullptr;
  const TW_UINT16 code = AppCall(&SrcId, DG_IMAGE, DAT_IMAGENATIVEXFER, MSG_GET, &handle);
  if (code == TWRC_FAILURE) throw Exception(TransferFailedText);
  if (code == TWRC_CANCEL) throw Exception(QStringLiteral("キャンセルされました"));
  // Without a finished transfer there is no image, and the caller must not take one.
  if (code != TWRC_XFERDONE) return false;
  THandleOwner owner{handle};
  const auto* dib = static_cast<const uint8_t*>(GlobalLock(handle));
  if (dib == nullptr) RaiseTwainError(&SrcId);
  DibToBitmap(Bitmap, dib, GlobalSize(handle));
  TW_PENDINGXFERS pending{};
  CheckedCall(&SrcId, DG_CONTROL, DAT_PENDINGXFERS, MSG_ENDXFER, &pending);
  return true;
}

double TTwain::GetFloatValue(TW_UINT16 Cap) {
  TW_CAPABILITY capability{Cap, TWON_ONEVALUE, nullptr};
  CheckedCall(&SrcId, DG_CONTROL, DAT_CAPABILITY, MSG_GET, &capability);
  if (capability.hContainer == nullptr) return 0;
  THandleOwner owner{capability.hContainer};
  const auto* item = static_cast<const uint8_t*>(GlobalLock(capability.hContainer));
  if (item == nullptr || GlobalSize(capability.hContainer) < sizeof(TW_ONEVALUE))
    throw Exception(QStringLiteral("TWAIN: ") + ConditionText(TWCC_BADVALUE));
  TW_FIX32 value;
  std::memcpy(&value, item + offsetof(TW_ONEVALUE, Item), sizeof(value));
  return Fix32ToFloat(value);
}

void TTwain::SetFloatValue(TW_UINT16 Cap, double NewValue) {
  HGLOBAL container = GlobalAlloc(sizeof(TW_ONEVALUE));
  if (container == nullptr)
    throw Exception(QStringLiteral("TWAIN: ") + ConditionText(TWCC_LOWMEMORY));
  THandleOwner owner{container};
  auto* item = static_cast<TW_ONEVALUE*>(GlobalLock(container));
  const TW_FIX32 value = FloatToFix32(NewValue);
  item->ItemType = TWTY_FIX32;
  std::memcpy(&item->Item, &value, sizeof(value));
  TW_CAPABILITY capability{Cap, TWON_ONEVALUE, container};
  CheckedCall(&SrcId, DG_CONTROL, DAT_CAPABILITY, MSG_SET, &capability);
}

TTwain& SharedTwain() {
  if (!Shared) {
    Shared = std::make_unique<TTwain>();
    // Closed while the application and its windows still exist.
    qAddPostRoutine(ReleaseSharedTwain);
  }
  return *Shared;
}

void ReleaseSharedTwain() { Shared.reset(); }

void SetManagerLibraryName(const QString& FileName) { ManagerLibraryName = FileName; }

QString ConditionText(TW_UINT16 Code) {
  static const char* const Texts[] = {
      "It worked!",
      "Failure due to unknown causes",
      "Not enough memory to perform operation",
      "No Data Source",
      "DS is connected to max possible applications",
      "DS or DSM reported error, application shouldn't",
      "Unknown capability",
      nullptr,
      nullptr,
      "Unrecognized MSG DG DAT combination",
      "Data parameter out of range",
      "DG DAT MSG out of expected sequence",
      "Unknown destination Application/Source in DSM_Entry",
      "Capability not supported by source",
      "Operation not supported by capability",
      "Capability has dependancy on other capability",
      "File System operation is denied (file is protected)",
      "Operation failed because file already exists.",
      "File not found",
      "Operation failed because directory is not empty",
      "The feeder is jammed",
      "The feeder detected multiple pages",
      "Error writing the file (meant for things like disk full conditions)",
      "The device went offline prior to or during this operation",
  };
  if (Code >= std::size(Texts) || Texts[Code] == nullptr) return {};
  return QString::fromLatin1(Texts[Code]);
}

void CopyToStr32(TW_STR32& Target, const QString& Source) {
  std::memset(Target, 0, sizeof(TW_STR32));
  const qsizetype length = std::min<qsizetype>(Source.size(), sizeof(TW_STR32) - 1);
  for (qsizetype i = 0; i < length; ++i) Target[i] = static_cast<char>(Source[i].unicode() & 0xFF);
}

double RoundHalfAway(double Value) { return std::trunc(Value >= 0 ? Value + 0.5 : Value - 0.5); }

double Fix32ToFloat(TW_FIX32 Value) { return Value.Whole + Value.Frac / 65536.0; }

TW_FIX32 FloatToFix32(double Value) {
  // Values beyond the format's range keep its nearest end rather than wrapping.
  const double scaled =
      std::clamp(RoundHalfAway(Value * 65536), double{std::numeric_limits<int32_t>::min()},
                 double{std::numeric_limits<int32_t>::max()});
  const auto bits = static_cast<uint32_t>(static_cast<int32_t>(scaled));
  return {static_cast<TW_INT16>(bits >> 16), static_cast<TW_UINT16>(bits & 0xFFFF)};
}

void DibToBitmap(QImage& Bitmap, const uint8_t* Dib, size_t Size) {
  if (Size > std::numeric_limits<uint32_t>::max() - FileHeaderSize) BadDib();
  const TDibLayout layout = ReadDibLayout(Dib, Size);
  CheckPixelBits(layout, Size);
  QByteArray file(static_cast<qsizetype>(Size + FileHeaderSize), '\0');
  file[0] = 'B';
  file[1] = 'M';
  PutLittle32(file.data() + 2, static_cast<uint32_t>(Size + FileHeaderSize));
  PutLittle32(file.data() + 10, static_cast<uint32_t>(FileHeaderSize + layout.BitsOffset));
  std::memcpy(file.data() + FileHeaderSize, Dib, Size);
  QBuffer stream(&file);
  stream.open(QIODevice::ReadOnly);
  AllowAllocation(layout);
  QImageReader reader(&stream, "BMP");
  QImage image = reader.read();
  if (image.isNull()) BadDib();
  Bitmap = std::move(image);
}
