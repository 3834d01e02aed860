#include "SourceManager.h"

#include <sane/sane.h>

#include <algorithm>
#include <cstring>

#include "SourceFailure.h"
#include "SourceSelectDialog.h"

namespace {

constexpr TW_UINT32 ApplicationId = 1;
constexpr TW_UINT32 FirstSourceId = 2;

void CopyText(TW_STR32& Target, const char* Text) {
  std::memset(Target, 0, sizeof(TW_STR32));
  if (Text != nullptr) std::strncpy(Target, Text, sizeof(TW_STR32) - 1);
}

void Require(bool Condition, TW_UINT16 Failure) {
  if (!Condition) throw TSourceFailure{Failure};
}

}  // namespace

TSourceManager& TSourceManager::Instance() {
  static TSourceManager manager;
  return manager;
}

TW_UINT16 TSourceManager::Entry(TW_IDENTITY* Origin, TW_IDENTITY* Dest, TW_UINT32 DG, TW_UINT16 DAT,
                                TW_UINT16 MSG, TW_MEMREF Data) {
  TSaneSource* source = nullptr;
  try {
    Require(Origin != nullptr, TWCC_BADPROTOCOL);
    if (Dest == nullptr) {
      Require(DG == DG_CONTROL, TWCC_BADPROTOCOL);
      return ManagerCall(Origin, DAT, MSG, Data);
    }
    Require(FOpened, TWCC_SEQERROR);
    const auto found = FSources.find(Dest->Id);
    Require(found != FSources.end(), TWCC_BADDEST);
    source = found->second.get();
    if (DG == DG_CONTROL && DAT == DAT_STATUS && MSG == MSG_GET) {
      Require(Data != nullptr, TWCC_BADVALUE);
      *static_cast<TW_STATUS*>(Data) = {source->TakeCondition(), 0};
      return TWRC_SUCCESS;
    }
    return source->Call(DG, DAT, MSG, Data);
  } catch (const TSourceFailure& failure) {
    (source != nullptr ? source->SetCondition(failure.Condition)
                       : static_cast<void>(FCondition = failure.Condition));
  } catch (...) {
    (source != nullptr ? source->SetCondition(TWCC_BUMMER)
                       : static_cast<void>(FCondition = TWCC_BUMMER));
  }
  return TWRC_FAILURE;
}

TW_UINT16 TSourceManager::ManagerCall(TW_IDENTITY* Origin, TW_UINT16 DAT, TW_UINT16 MSG,
                                      TW_MEMREF Data) {
  Require(Data != nullptr, TWCC_BADVALUE);
  if (DAT == DAT_STATUS && MSG == MSG_GET) {
    *static_cast<TW_STATUS*>(Data) = {std::exchange(FCondition, TWCC_SUCCESS), 0};
    return TWRC_SUCCESS;
  }
  if (DAT == DAT_PARENT && MSG == MSG_OPENDSM) return Open(*Origin, *static_cast<QWidget**>(Data));
  Require(FOpened, TWCC_SEQERROR);
  auto& identity = *static_cast<TW_IDENTITY*>(Data);
  switch (DAT == DAT_PARENT ? MSG : DAT == DAT_IDENTITY ? MSG : MSG_NULL) {
    case MSG_CLOSEDSM:
      return Close();
    case MSG_OPENDS:
      return OpenSource(identity);
    case MSG_CLOSEDS:
      return CloseSource(identity);
    case MSG_USERSELECT:
      return UserSelect(identity);
    case MSG_GETFIRST:
    case MSG_GETNEXT:
      return NextIdentity(MSG, identity);
    default:
      throw TSourceFailure{TWCC_BADPROTOCOL};
  }
}

TW_UINT16 TSourceManager::Open(TW_IDENTITY& Origin, QWidget* Parent) {
  Require(!FOpened, TWCC_SEQERROR);
  SANE_Int version = 0;
  Require(sane_init(&version, nullptr) == SANE_STATUS_GOOD, TWCC_BUMMER);
  ReadDevices();
  Origin.Id = ApplicationId;
  FParent = Parent;
  FSelected = 0;
  FOpened = true;
  return TWRC_SUCCESS;
}

TW_UINT16 TSourceManager::Close() {
  Require(FSources.empty(), TWCC_SEQERROR);
  FDevices.clear();
  sane_exit();
  FOpened = false;
  return TWRC_SUCCESS;
}

void TSourceManager::ReadDevices() {
  const SANE_Device** devices = nullptr;
  FDevices.clear();
  if (sane_get_devices(&devices, SANE_TRUE) != SANE_STATUS_GOOD || devices == nullptr) return;
  for (size_t i = 0; devices[i] != nullptr; ++i) {
    TDevice device{devices[i]->name, {}};
    TW_IDENTITY& identity = device.Identity;
    identity.Id = FirstSourceId + static_cast<TW_UINT32>(i);
    identity.Version = {1, 0, TWLG_USERLOCALE, TWCY_JAPAN, {}};
    CopyText(identity.Version.Info, "SANE");
    identity.ProtocolMajor = 1;
    identity.ProtocolMinor = 8;
    identity.SupportedGroups = DG_CONTROL | DG_IMAGE;
    CopyText(identity.Manufacturer, devices[i]->vendor);
    CopyText(identity.ProductFamily, devices[i]->model);
    CopyText(identity.ProductName, devices[i]->name);
    FDevices.push_back(device);
  }
}

const TSourceManager::TDevice& TSourceManager::DeviceFor(const TW_IDENTITY& Source) const {
  Require(!FDevices.empty(), TWCC_NODS);
  // An all-zero identity asks for the default source: the last one chosen, else the first.
  if (Source.Id == 0 && Source.ProductName[0] == '\0') return FDevices[FSelected];
  const auto found = std::find_if(FDevices.begin(), FDevices.end(), [&](const TDevice& Device) {
    return Source.Id != 0 ? Device.Identity.Id == Source.Id
                          : std::strncmp(Device.Identity.ProductName, Source.ProductName,
                                         sizeof(TW_STR32)) == 0;
  });
  Require(found != FDevices.end(), TWCC_NODS);
  return *found;
}

TW_UINT16 TSourceManager::OpenSource(TW_IDENTITY& Source) {
  const TDevice& device = DeviceFor(Source);
  Require(FSources.count(device.Identity.Id) == 0, TWCC_SEQERROR);
  FSources.emplace(device.Identity.Id, std::make_unique<TSaneSource>(device.Name, device.Identity));
  Source = device.Identity;
  return TWRC_SUCCESS;
}

TW_UINT16 TSourceManager::CloseSource(const TW_IDENTITY& Source) {
  const auto found = FSources.find(Source.Id);
  Require(found != FSources.end(), TWCC_BADDEST);
  Require(!found->second->Enabled(), TWCC_SEQERROR);
  FSources.erase(found);
  return TWRC_SUCCESS;
}

TW_UINT16 TSourceManager::UserSelect(TW_IDENTITY& Source) {
  Require(!FDevices.empty(), TWCC_NODS);
  QStringList names;
  for (const TDevice& device : FDevices)
    names << QStringLiteral("%1 (%2 %3)")
                 .arg(QString::fromUtf8(device.Name),
                      QString::fromUtf8(device.Identity.Manufacturer),
                      QString::fromUtf8(device.Identity.ProductFamily));
  TSourceSelectDialog dialog(names, static_cast<int>(FSelected), FParent);
  const int chosen = dialog.Choose();
  if (chosen < 0) return TWRC_CANCEL;
  FSelected = static_cast<size_t>(chosen);
  Source = FDevices[FSelected].Identity;
  return TWRC_SUCCESS;
}

TW_UINT16 TSourceManager::NextIdentity(TW_UINT16 MSG, TW_IDENTITY& Source) {
  if (MSG == MSG_GETFIRST) FNextListed = 0;
  if (FNextListed >= FDevices.size()) return TWRC_ENDOFLIST;
  Source = FDevices[FNextListed++].Identity;
  return TWRC_SUCCESS;
}
