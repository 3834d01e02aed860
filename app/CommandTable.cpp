#include "CommandTable.h"

#include <QAction>
#include <QKeySequence>

#include "CommandImages.h"

namespace {

constexpr char16_t kFile[] = u"ファイル";
constexpr char16_t kEdit[] = u"編集";
constexpr char16_t kView[] = u"表示";
constexpr char16_t kRevise[] = u"補正";
constexpr char16_t kWindow[] = u"ウィンドウ";
constexpr char16_t kHelp[] = u"ヘルプ";

using C = TCommand;
constexpr std::array<TCommandInfo, kCommandCount> kCommands{{
    {C::actOpen, u"actOpen", kFile, u"開く(&O)...", u"開く", u"Ctrl+O", 0, false},
    {C::actScan, u"actScan", kFile, u"読み込みの実行(&E)", u"機器から読み込む", nullptr, 1, false},
    {C::actSave, u"actSave", kFile, u"上書き保存(&S)", u"上書き保存", u"Ctrl+S", 2, false},
    {C::actOption, u"actOption", kFile, u"オプション(&P)...", u"オプション", nullptr, 3, false},
    {C::actClose, u"actClose", kFile, u"閉じる(&C)", u"閉じる", nullptr, 4, false},
    {C::actUndo, u"actUndo", kEdit, u"取り消し(&U)", u"取り消し", u"Ctrl+U", 5, false},
    {C::actCopy, u"actCopy", kEdit, u"コピー(&C)", u"コピー", u"Ctrl+C", 6, false},
    {C::actPaste, u"actPaste", kEdit, u"新規画像に貼り付け(&P)", u"貼り付け", u"Ctrl+V", 7, false},
    {C::actTrim, u"actTrim", kEdit, u"トリミング(&T)", u"トリミング", u"Ctrl+X", 8, false},
    {C::actMirror, u"actMirror", kEdit, u"左右反転(&M)", u"左右反転", nullptr, 9, false},
    {C::actFlip, u"actFlip", kEdit, u"上下反転(&F)", u"上下反転", nullptr, 10, false},
    {C::actRotate, u"actRotate", kEdit, u"指定角度の回転(&R)...", u"指定角度の回転", nullptr, 11,
     false},
    {C::actLoupe, u"actLoupe", kView, u"ルーペウィンドウ(&L)", u"ルーペウィンドウ", nullptr, 12,
     true},
    {C::actZoomSame, u"actZoomSame", kView, u"等倍で表示(&S)", u"等倍", u"Ctrl+Z", 13, false},
    {C::actZoomAll, u"actZoomAll", kView, u"全体表示(&A)", u"全体", nullptr, 14, false},
    {C::actZoomIn, u"actZoomIn", kView, u"拡大(&I)", u"拡大", u"F4", 15, false},
    {C::actZoomOut, u"actZoomOut", kView, u"縮小(&O)", u"縮小", u"Shift+F4", 16, false},
    {C::actZoomAs, u"actZoomAs", kView, u"指定倍率で表示(&B)...", u"倍率指定", nullptr, 17, false},
    {C::actFitWindow, u"actFitWindow", kView, u"ウィンドウサイズを画像に合わせる(&F)",
     u"画像に合わせる", nullptr, 18, false},
    {C::actRevise, u"actRevise", kRevise, u"傾きの補正(&S)", u"傾きの補正", u"Ctrl+R", 19, true},
    {C::actWinCascade, u"actWinCascade", kWindow, u"重ねて表示(&C)", u"重ねて表示", nullptr, 22,
     false},
    {C::actWinTileHorz, u"actWinTileHorz", kWindow, u"上下に並べて表示(&T)",
     u"上下に並べて表示", nullptr, 23, false},
    {C::actWinTileVert, u"actWinTileVert", kWindow, u"左右に並べて表示(&H)",
     u"左右に並べて表示", nullptr, 24, false},
    {C::actWinArrange, u"actWinArrange", kWindow, u"整列(&A)", u"整列", nullptr, -1, false},
    {C::actShowHelp, u"actShowHelp", kHelp, u"ヘルプの表示(&S)", u"ヘルプ", u"Ctrl+H", 20, false},
    {C::actAbout, u"actAbout", kHelp, u"バージョン情報(&A)...", u"バージョン情報", nullptr, 21,
     false},
    {C::actSelectTwain, u"actSelectTwain", kFile, u"機器の選択(&M)", nullptr, nullptr, -1, false},
    {C::actExit, u"actExit", kFile, u"終了(&X)", nullptr, nullptr, -1, false},
    {C::actSaveAs, u"actSaveAs", kFile, u"名前をつけて保存(&A)...", nullptr, nullptr, -1, false},
}};

static_assert([] {
  for (int i = 0; i < kCommandCount; ++i)
    if (static_cast<int>(kCommands[i].Command) != i) return false;
  return true;
}());

}  // namespace

const std::array<TCommandInfo, kCommandCount>& CommandTable() { return kCommands; }

const TCommandInfo& CommandInfo(TCommand Command) {
  return kCommands[static_cast<int>(Command)];
}

std::array<QAction*, kCommandCount> CreateActions(QObject* Parent) {
  std::array<QAction*, kCommandCount> actions{};
  for (const TCommandInfo& info : kCommands) {
    auto* action = new QAction(QString::fromUtf16(info.Caption), Parent);
    action->setObjectName(QString::fromUtf16(info.Name));
    action->setProperty("category", QString::fromUtf16(info.Category));
    // A command without a hint shows no tool tip of its own making.
    action->setToolTip(info.Hint ? QString::fromUtf16(info.Hint) : QString());
    action->setStatusTip(action->toolTip());
    if (info.Shortcut) action->setShortcut(QKeySequence(QString::fromUtf16(info.Shortcut)));
    if (info.ImageIndex >= 0) action->setIcon(ToolImage(info.ImageIndex));
    action->setCheckable(info.AutoCheck);
    actions[static_cast<int>(info.Command)] = action;
  }
  return actions;
}
