// The window's controls and menu entries, row by row, in the order they are created.
#include "window_layout.h"

#include "main_window.h"
#include "window_actions.h"

using K = ControlKind;

const ControlSpec kControls[] = {
    {K::kLabel, kTargetLabelId, 120, 120, 2400, 180, L"ショートカットを作りたいファイル", nullptr, nullptr},
    {K::kTextBox, kTargetBoxId, 120, 360, 5595, 270, nullptr, L"ショートカットを作成したいファイルを指定します。", nullptr},
    {K::kLabel, kShortcutLabelId, 120, 840, 1680, 180, L"作成するショートカット", nullptr, nullptr},
    {K::kTextBox, kShortcutBoxId, 120, 1080, 5595, 270, nullptr, L"作成するショートカット名を指定します。", nullptr},
    {K::kLabel, kArgumentsLabelId, 120, 1680, 1035, 180, L"コマンドライン", nullptr, nullptr},
    {K::kTextBox, kArgumentsBoxId, 120, 1920, 1155, 270, nullptr,
     L"ショートカットから実行する時のコマンドライン引数を指定します。", nullptr},
    {K::kLabel, kWorkingFolderLabelId, 1560, 1680, 1215, 180, L"作業ディレクトリ", nullptr, nullptr},
    {K::kTextBox, kWorkingFolderBoxId, 1560, 1920, 4155, 270, nullptr,
     L"ショートカットから実行する時の作業フォルダを指定します。", nullptr},
    {K::kLabel, kIconFileLabelId, 120, 2280, 1230, 180, L"アイコンファイル", nullptr, nullptr},
    {K::kTextBox, kIconFileBoxId, 1560, 2880, 4155, 270, nullptr, L"ショートカットで使用するアイコンファイルを指定します。", ShowIconsOfIconFile},
    {K::kLabel, kCtrlAltLabelId, 120, 3540, 870, 180, L"Ctrl + Alt +", nullptr, nullptr},
    {K::kLabel, kHotKeyLabelId, 120, 3240, 1350, 180, L"ショートカットキー", nullptr, nullptr},
    {K::kTextBox, kHotKeyBoxId, 1080, 3480, 255, 270, nullptr,
     L"ショートカットから実行する時に使用するショートカットキーを指定します。", nullptr},
    {K::kLabel, kWindowStateLabelId, 3240, 3240, 720, 180, L"表示状態", nullptr, nullptr},
    {K::kComboList, kWindowStateListId, 3240, 3480, 2775, 300, nullptr,
     L"ショートカットから実行した時の、表示状態を指定します。", nullptr},
    {K::kLabel, kCommentLabelId, 120, 3840, 555, 180, L"コメント", nullptr, nullptr},
    {K::kTextBox, kCommentBoxId, 120, 4080, 5835, 270, nullptr, L"ショートカットのコメントを指定します。", nullptr},
    {K::kButton, kCreateButtonId, 3480, 4440, 1215, 495, L"作成", L"ショートカットを作成します。", CreateShortcutFromFields},
    {K::kButton, kExitButtonId, 4800, 4440, 1215, 495, L"終了", L"終了します。", CloseMainWindow},
    {K::kButton, kTargetChooserId, 5760, 360, 255, 255, L"...", L"このボタンを押して、ファイルを選択します。", ChooseTargetFile},
    {K::kButton, kDestinationButtonId, 5760, 1080, 255, 255, L"...",
     L"このボタンを押して、ショートカットの保存先を設定します。", ShowDestinationMenu},
    {K::kButton, kWorkingFolderChooserId, 5760, 1920, 255, 255, L"...", L"このボタンを押して、作業フォルダを指定します。", ChooseWorkingFolder},
    {K::kPicture, kIconPreviewId, 360, 2520, 600, 600, nullptr, nullptr, nullptr},
    {K::kButton, kIconFileChooserId, 5760, 2880, 255, 255, L"...", L"このボタンを押して、アイコンファイルを指定します。", ChooseIconFile},
    {K::kButton, kPreviousIconButtonId, 120, 2880, 255, 255, L"<",
     L"アイコンファイルに複数のアイコンが含まれている場合、このボタンを押して前のアイコンを選択出来ます。", ShowPreviousIcon, true},
    {K::kButton, kNextIconButtonId, 960, 2880, 255, 255, L">",
     L"アイコンファイルに複数のアイコンが含まれている場合、このボタンを押して次のアイコンを選択出来ます。", ShowNextIcon, true},
};

const size_t kControlCount = sizeof kControls / sizeof kControls[0];

const MenuEntrySpec kMenuEntries[] = {
    {kBesideTargetEntryId, L"元のファイルと同じ場所(&O)", PlaceShortcutBesideTarget},
    {kUserChosenEntryId, L"ユーザー指定(&U)", PlaceShortcutWhereUserSays},
    {kProgramsEntryId, L"スタートメニュー→プログラム(&P)", nullptr, SpecialFolder::kPrograms},
    {kDesktopEntryId, L"デスクトップ(&D)", nullptr, SpecialFolder::kDesktop},
    {kStartupEntryId, L"スタートアップ(&U)", nullptr, SpecialFolder::kStartup},
    {kQuickLaunchEntryId, L"クイック起動(&Q)", nullptr, SpecialFolder::kQuickLaunch},
    {kSendToEntryId, L"『送る』メニュー(&S)", nullptr, SpecialFolder::kSendTo},
};

const size_t kMenuEntryCount = sizeof kMenuEntries / sizeof kMenuEntries[0];

const SeparatorLine kSeparatorLines[2] = {
    {120, 1540, 6000, 15, COLOR_BTNSHADOW},     // 1 pixel at 96 DPI
    {120, 1560, 6000, 30, COLOR_BTNHIGHLIGHT},  // 2 pixels
};
