// The window's controls as data, one row each: what the window needs to create the control (kind, id,
// rectangle in twips, caption, tool tip, initial state) and what its event does. A new control is its
// id and its row here and, for a new event, the action it calls.
#pragma once

#include <windows.h>

#include <cstddef>

struct MainWindow;

enum class ControlKind { kLabel, kTextBox, kButton, kComboList, kPicture };

struct ControlSpec {
    ControlKind kind;
    int id;                        // the child-window identifier
    int left, top, width, height;  // twips, from the top-left corner of the client area
    const wchar_t* caption;        // nullptr: empty
    const wchar_t* toolTip;        // nullptr: none
    // What a button's click or a text box's change does; nullptr: nothing.
    void (*action)(MainWindow& window);
    bool disabled = false;  // disabled when the window opens
};

// Child-window identifiers, field by field: its label, its box and its "..." where it has one. 1 and 2
// (IDOK, IDCANCEL) are never used, so that Enter and Esc in a field press nothing.
enum ControlId {
    kTargetLabelId = 100, kTargetBoxId, kTargetChooserId,
    kShortcutLabelId, kShortcutBoxId, kDestinationButtonId,
    kArgumentsLabelId, kArgumentsBoxId,
    kWorkingFolderLabelId, kWorkingFolderBoxId, kWorkingFolderChooserId,
    kIconFileLabelId, kIconFileBoxId, kIconFileChooserId, kIconPreviewId, kPreviousIconButtonId, kNextIconButtonId,
    kHotKeyLabelId, kCtrlAltLabelId, kHotKeyBoxId,
    kWindowStateLabelId, kWindowStateListId,
    kCommentLabelId, kCommentBoxId,
    kCreateButtonId, kExitButtonId,
};

// The special folders a shortcut can be placed in, from the 特殊フォルダ submenu.
enum class SpecialFolder { kNone, kPrograms, kDesktop, kStartup, kQuickLaunch, kSendTo };

// The destination menu's entries, one row each: the shortcut beside the target, where a save dialog
// says, or in one of the special folders of its submenu.
struct MenuEntrySpec {
    int id;
    const wchar_t* caption;
    void (*action)(MainWindow& window);                   // an entry of the menu itself
    SpecialFolder specialFolder = SpecialFolder::kNone;  // else: an entry of the submenu, placing it there
};
enum MenuEntryId {
    kBesideTargetEntryId = 700,
    kUserChosenEntryId,
    kProgramsEntryId = 710,
    kDesktopEntryId,
    kStartupEntryId,
    kQuickLaunchEntryId,
    kSendToEntryId,
};
extern const MenuEntrySpec kMenuEntries[];
extern const size_t kMenuEntryCount;

// The controls in creation order, which is their z-order. Tab moves through the z-order, so the
// controls that take the focus stand in their tab order; each label stands just before the field it
// names, since the accessibility layer names a field by the label before it.
extern const ControlSpec kControls[];
extern const size_t kControlCount;

// The client area in twips.
constexpr int kClientWidth = 6150;
constexpr int kClientHeight = 5055;

// The two lines of the etched separator: from (left, top) to (right, top), in twips.
struct SeparatorLine {
    int left, top, right;
    int width;  // twips
    int colorIndex;  // COLOR_BTNSHADOW or COLOR_BTNHIGHLIGHT
};
extern const SeparatorLine kSeparatorLines[2];
