#include "SaneSource.h"

#include <QCoreApplication>
#include <chrono>
#include <cstring>
#include <memory>
#include <thread>
#include <utility>
#include <vector>

#include "SaneDib.h"
#include "SaneOptions.h"
#include "ScanProgress.h"
#include "SourceFailure.h"

namespace {

constexpr const char* ModeOption = "mode";
constexpr const char* ResolutionOption = "resolution";

TW_UINT16 ConditionOf(SANE_Status Status) {
  switch (Status) {
    case SANE_STATUS_NO_MEM:
      return TWCC_LOWMEMORY;
    case SANE_STATUS_JAMMED:
      return TWCC_PAPERJAM;
    case SANE_STATUS_ACCESS_DENIED:
      return TWCC_DENIED;
    case SANE_STATUS_IO_ERROR:
    case SANE_STATUS_COVER_OPEN:
      return TWCC_CHECKDEVICEONLINE;
    default:
      return TWCC_OPERATIONERROR;
  }
}

// Cancels the device's scan however the transfer ends. Backends that read the device on a thread
// of their own cancel that thread asynchronously; cancelled while it is still starting (inside the
// allocator), it never ends and sane_cancel waits for it for ever. A scan that ends early, by an
// error or a cancel at the device, therefore gives the reader a moment to get going first.
struct TScanGuard {
  SANE_Handle Device;
  bool Complete = false;
  ~TScanGuard() {
    if (!Complete) std::this_thread::sleep_for(std::chrono::milliseconds(100));
    sane_cancel(Device);
  }
};

struct TScanCancelled {};

void CheckScan(SANE_Status Status) {
  if (Status == SANE_STATUS_CANCELLED) throw TScanCancelled{};
  if (Status != SANE_STATUS_GOOD) throw TSourceFailure{ConditionOf(Status)};
}

// Reads the frame to its end; a device sending more than any transferable image is refused
// before memory runs out.
std::vector<uint8_t> ReadFrame(SANE_Handle Device, TScanProgress& Progress) {
  std::vector<uint8_t> data;
  std::vector<uint8_t> chunk(1 << 16);
  for (;;) {
    if (!Progress.Advance(data.size())) throw TScanCancelled{};
    SANE_Int length = 0;
    const SANE_Status status =
        sane_read(Device, chunk.data(), static_cast<SANE_Int>(chunk.size()), &length);
    if (status == SANE_STATUS_EOF) return data;
    CheckScan(status);
    if (length < 0 || static_cast<size_t>(length) > chunk.size() ||
        data.size() + static_cast<size_t>(length) > MaxDibSize)
      throw TSourceFailure{TWCC_OPERATIONERROR};
    data.insert(data.end(), chunk.begin(), chunk.begin() + length);
  }
}

TW_FIX32 ToFix32(SANE_Fixed Value) {
  return {static_cast<TW_INT16>(Value >> 16), static_cast<TW_UINT16>(Value & 0xFFFF)};
}

// The item holds a TW_FIX32 record as it lies in memory.
SANE_Fixed FromFix32(TW_UINT32 Item) {
  TW_FIX32 value;
  std::memcpy(&value, &Item, sizeof(value));
  return value.Whole * 65536 + value.Frac;
}

}  // namespace

QEvent::Type TSourceEvent::EventType() {
  static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
  return type;
}

TSaneSource::TSaneSource(const std::string& DeviceName, const TW_IDENTITY& Identity)
    : FIdentity(Identity) {
  if (sane_open(DeviceName.c_str(), &FDevice) != SANE_STATUS_GOOD)
    throw TSourceFailure{TWCC_CHECKDEVICEONLINE};
}

TSaneSource::~TSaneSource() {
  delete FDialog;
  sane_close(FDevice);
}

TW_UINT16 TSaneSource::TakeCondition() { return std::exchange(FCondition, TWCC_SUCCESS); }

void TSaneSource::Require(bool Condition, TW_UINT16 Failure) const {
  if (!Condition) throw TSourceFailure{Failure};
}

TW_UINT16 TSaneSource::Call(TW_UINT32 DG, TW_UINT16 DAT, TW_UINT16 MSG, TW_MEMREF Data) {
  Require(Data != nullptr, TWCC_BADVALUE);
  if (DG == DG_IMAGE && DAT == DAT_IMAGENATIVEXFER && MSG == MSG_GET)
    return TransferNative(*static_cast<TW_HANDLE*>(Data));
  Require(DG == DG_CONTROL, TWCC_BADPROTOCOL);
  switch (DAT) {
    case DAT_USERINTERFACE:
      if (MSG == MSG_ENABLEDS) return Enable(*static_cast<TW_USERINTERFACE*>(Data));
      if (MSG == MSG_DISABLEDS) return Disable();
      break;
    case DAT_EVENT:
      if (MSG == MSG_PROCESSEVENT) return ProcessEvent(*static_cast<TW_EVENT*>(Data));
      break;
    case DAT_PENDINGXFERS:
      if (MSG == MSG_ENDXFER || MSG == MSG_RESET)
        return EndTransfer(*static_cast<TW_PENDINGXFERS*>(Data));
      break;
    case DAT_CAPABILITY:
      if (MSG == MSG_GET || MSG == MSG_SET)
        return Capability(MSG, *static_cast<TW_CAPABILITY*>(Data));
      break;
    default:
      break;
  }
  throw TSourceFailure{TWCC_BADPROTOCOL};
}

TW_UINT16 TSaneSource::Enable(const TW_USERINTERFACE& UserInterface) {
  Require(FState == TState::Open);
  FState = TState::Enabled;
  FSettingFailure = TWCC_SUCCESS;
  FParent = static_cast<QWidget*>(UserInterface.hParent);
  if (UserInterface.ShowUI)
    ShowDialog(FParent, UserInterface.ModalUI);
  else
    Post(MSG_XFERREADY);
  return TWRC_SUCCESS;
}

TW_UINT16 TSaneSource::Disable() {
  Require(FState != TState::Open);
  // Closing the dialog here must not post a close request to a source already disabled.
  if (FDialog) {
    FDialog->SetOnCancel(nullptr);
    FDialog->deleteLater();
  }
  FState = TState::Open;
  return TWRC_SUCCESS;
}

void TSaneSource::ShowDialog(QWidget* Parent, bool Modal) {
  TSaneOptions options(FDevice);
  FDialog = new TScanDialog(QString::fromUtf8(FIdentity.ProductName), Parent);
  if (options.Has(ModeOption))
    FDialog->SetModes(options.Choices(ModeOption), options.Text(ModeOption));
  if (options.Has(ResolutionOption)) {
    const auto [low, high] = options.Limits(ResolutionOption);
    FDialog->SetResolution(SANE_UNFIX(low), SANE_UNFIX(high),
                           SANE_UNFIX(options.Number(ResolutionOption)));
  }
  FDialog->SetOnScan([this] {
    ApplyDialog();
    Post(MSG_XFERREADY);
  });
  FDialog->SetOnCancel([this] { Post(MSG_CLOSEDSREQ); });
  FDialog->setWindowModality(Modal ? Qt::ApplicationModal : Qt::NonModal);
  FDialog->show();
}

void TSaneSource::ApplyDialog() {
  try {
    TSaneOptions options(FDevice);
    if (options.Has(ModeOption) && !FDialog->Mode().isEmpty())
      options.SetText(ModeOption, FDialog->Mode());
    if (options.Has(ResolutionOption))
      options.SetNumber(ResolutionOption, SANE_FIX(FDialog->Resolution()));
  } catch (const TSourceFailure& failure) {
    FSettingFailure = failure.Condition;
  }
}

void TSaneSource::Post(TW_UINT16 Message) {
  QCoreApplication::postEvent(this, new TSourceEvent(this, Message));
}

TW_UINT16 TSaneSource::ProcessEvent(TW_EVENT& Event) {
  Event.TWMessage = MSG_NULL;
  const auto* event = static_cast<const QEvent*>(Event.pEvent);
  if (FState == TState::Open || event == nullptr || event->type() != TSourceEvent::EventType())
    return TWRC_NOTDSEVENT;
  const auto* sourceEvent = static_cast<const TSourceEvent*>(event);
  if (sourceEvent->Source != this) return TWRC_NOTDSEVENT;
  Event.TWMessage = sourceEvent->Message;
  if (sourceEvent->Message == MSG_XFERREADY) FState = TState::TransferReady;
  return TWRC_DSEVENT;
}

TW_UINT16 TSaneSource::TransferNative(TW_HANDLE& Image) {
  Require(FState == TState::TransferReady);
  if (FSettingFailure != TWCC_SUCCESS) throw TSourceFailure{FSettingFailure};
  TScanGuard guard{FDevice};
  try {
    CheckScan(sane_start(FDevice));
    SANE_Parameters params;
    CheckScan(sane_get_parameters(FDevice, &params));
    CheckedLineBytes(params);
    // Several passes (one per colour) are not combined here.
    Require(params.last_frame, TWCC_BUMMER);
    const size_t expected =
        params.lines > 0 ? static_cast<size_t>(params.bytes_per_line) * params.lines : 0;
    TScanProgress progress(FParent, expected);
    const std::vector<uint8_t> data = ReadFrame(FDevice, progress);
    guard.Complete = true;
    TSaneOptions options(FDevice);
    const int32_t dpi =
        options.Has(ResolutionOption) ? SANE_UNFIX(options.Number(ResolutionOption)) : 0;
    Image = SaneFrameToDib(params, data, dpi);
    return TWRC_XFERDONE;
  } catch (const TScanCancelled&) {
    return TWRC_CANCEL;
  }
}

TW_UINT16 TSaneSource::EndTransfer(TW_PENDINGXFERS& Pending) {
  Require(FState == TState::TransferReady);
  Pending.Count = 0;
  Pending.EOJ = 0;
  FState = TState::Enabled;
  return TWRC_SUCCESS;
}

TW_UINT16 TSaneSource::Capability(TW_UINT16 MSG, TW_CAPABILITY& Capability) {
  Require(Capability.Cap == ICAP_XRESOLUTION || Capability.Cap == ICAP_YRESOLUTION,
          TWCC_CAPUNSUPPORTED);
  TSaneOptions options(FDevice);
  if (MSG == MSG_SET) {
    // Settings are negotiated before the source is enabled.
    Require(FState == TState::Open, TWCC_CAPSEQERROR);
    Require(Capability.ConType == TWON_ONEVALUE, TWCC_BADVALUE);
    const auto* item = static_cast<const TW_ONEVALUE*>(GlobalLock(Capability.hContainer));
    Require(item != nullptr, TWCC_BADVALUE);
    const TW_ONEVALUE value = *item;
    GlobalUnlock(Capability.hContainer);
    Require(value.ItemType == TWTY_FIX32, TWCC_BADVALUE);
    options.SetNumber(ResolutionOption, FromFix32(value.Item));
    return TWRC_SUCCESS;
  }
  const TW_FIX32 current = ToFix32(options.Number(ResolutionOption));
  HGLOBAL container = GlobalAlloc(sizeof(TW_ONEVALUE));
  Require(container != nullptr, TWCC_LOWMEMORY);
  auto* item = static_cast<TW_ONEVALUE*>(GlobalLock(container));
  item->ItemType = TWTY_FIX32;
  std::memcpy(&item->Item, &current, sizeof(current));
  GlobalUnlock(container);
  Capability.ConType = TWON_ONEVALUE;
  Capability.hContainer = container;
  return TWRC_SUCCESS;
}
