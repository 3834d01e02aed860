#pragma once

#include <QString>
#include <array>

class QAction;
class QObject;

// The program's commands in their declared order.
enum class TCommand {
  actOpen, actScan, actSave, actOption, actClose,
  actUndo, actCopy, actPaste, actTrim, actMirror, actFlip, actRotate,
  actLoupe, actZoomSame, actZoomAll, actZoomIn, actZoomOut, actZoomAs, actFitWindow,
  actRevise,
  actWinCascade, actWinTileHorz, actWinTileVert, actWinArrange,
  actShowHelp, actAbout,
  actSelectTwain, actExit, actSaveAs,
};
inline constexpr int kCommandCount = 29;

// One row of the command table: everything a command shows wherever it appears.
struct TCommandInfo {
  TCommand Command;
  const char16_t* Name;
  const char16_t* Category;
  const char16_t* Caption;
  const char16_t* Hint;      // nullptr: none
  const char16_t* Shortcut;  // nullptr: none
  int ImageIndex;            // into the tool images, -1: none
  bool AutoCheck;            // invoking flips the check mark before the handler runs
};

const std::array<TCommandInfo, kCommandCount>& CommandTable();
const TCommandInfo& CommandInfo(TCommand Command);

// Builds one QAction per command, in declared order, owned by Parent.
std::array<QAction*, kCommandCount> CreateActions(QObject* Parent);
