// The controls of Form1 as data: kind, name and index, rectangle in twips, caption, tool tip and
// initial state, in the order that gives their z-order and tab order. The window is built from this
// table, and the tests walk the same table.
#pragma once

#include <cstddef>

enum class ControlKind { kLabel, kTextBox, kButton, kComboList, kPicture };

struct ControlSpec {
    ControlKind kind;
    const wchar_t* name;  // the control array's name, such as L"Text1"
    int index;            // index within its array; 0 for single controls
    int id;               // the child-window identifier
    int left, top, width, height;  // twips, from the top-left corner of the client area
    const wchar_t* caption;  // nullptr: empty
    const wchar_t* toolTip;  // nullptr: none
    bool disabled = false;   // disabled when the window opens
};

// Child-window identifiers: one range per control array, so that a handler gets the index as id - base.
// 1 and 2 (IDOK, IDCANCEL) are never used, so that Enter and Esc press nothing.
enum ControlId {
    kText1Base = 100,
    kCommand1Base = 200,
    kCommand2Base = 300,
    kCommand3Base = 400,
    kLabel1Base = 500,
    kText2Id = 600,
    kCombo1Id = 601,
    kPicture1Id = 602,
    kMenuFolderSetBase = 700,
    kMenuSpecialFolderSetBase = 710,
};

// Members of each control and menu array.
constexpr int kText1Count = 6;
constexpr int kCommand1Count = 4;
constexpr int kCommand2Count = 2;
constexpr int kCommand3Count = 2;
constexpr int kLabel1Count = 9;
constexpr int kMenuFolderSetCount = 2;
constexpr int kMenuSpecialFolderSetCount = 5;

// The controls in creation order, which is their z-order. Tab moves through the z-order, so the
// controls that take the focus stand in their tab order; each label stands just before the field it
// names, since the accessibility layer names a field by the label before it.
extern const ControlSpec kForm1Controls[];
extern const size_t kForm1ControlCount;

// The client area in twips.
constexpr int kForm1ClientWidth = 6150;
constexpr int kForm1ClientHeight = 5055;

// The two lines of the etched separator: from (left, top) to (right, top), in twips.
struct SeparatorLine {
    int left, top, right;
    int width;  // twips
    int colorIndex;  // COLOR_BTNSHADOW or COLOR_BTNHIGHLIGHT
};
extern const SeparatorLine kSeparatorLines[2];
