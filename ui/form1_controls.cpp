// The layout of Form1, control by control, in the order the controls are created.
#include "form1_controls.h"

#include <windows.h>

using K = ControlKind;

const ControlSpec kForm1Controls[] = {
    {K::kLabel, L"Label1", 0, kLabel1Base + 0, 120, 120, 2400, 180, L"ショートカットを作りたいファイル", nullptr},
    {K::kTextBox, L"Text1", 0, kText1Base + 0, 120, 360, 5595, 270, nullptr,
     L"ショートカットを作成したいファイルを指定します。"},
    {K::kLabel, L"Label1", 1, kLabel1Base + 1, 120, 840, 1680, 180, L"作成するショートカット", nullptr},
    {K::kTextBox, L"Text1", 1, kText1Base + 1, 120, 1080, 5595, 270, nullptr,
     L"作成するショートカット名を指定します。"},
    {K::kLabel, L"Label1", 2, kLabel1Base + 2, 120, 1680, 1035, 180, L"コマンドライン", nullptr},
    {K::kTextBox, L"Text1", 2, kText1Base + 2, 120, 1920, 1155, 270, nullptr,
     L"ショートカットから実行する時のコマンドライン引数を指定します。"},
    {K::kLabel, L"Label1", 3, kLabel1Base + 3, 1560, 1680, 1215, 180, L"作業ディレクトリ", nullptr},
    {K::kTextBox, L"Text1", 3, kText1Base + 3, 1560, 1920, 4155, 270, nullptr,
     L"ショートカットから実行する時の作業フォルダを指定します。"},
    {K::kLabel, L"Label1", 4, kLabel1Base + 4, 120, 2280, 1230, 180, L"アイコンファイル", nullptr},
    {K::kTextBox, L"Text1", 4, kText1Base + 4, 1560, 2880, 4155, 270, nullptr,
     L"ショートカットで使用するアイコンファイルを指定します。"},
    {K::kLabel, L"Label1", 6, kLabel1Base + 6, 120, 3540, 870, 180, L"Ctrl + Alt +", nullptr},
    {K::kLabel, L"Label1", 5, kLabel1Base + 5, 120, 3240, 1350, 180, L"ショートカットキー", nullptr},
    {K::kTextBox, L"Text2", 0, kText2Id, 1080, 3480, 255, 270, nullptr,
     L"ショートカットから実行する時に使用するショートカットキーを指定します。"},
    {K::kLabel, L"Label1", 8, kLabel1Base + 8, 3240, 3240, 720, 180, L"表示状態", nullptr},
    {K::kComboList, L"Combo1", 0, kCombo1Id, 3240, 3480, 2775, 300, nullptr,
     L"ショートカットから実行した時の、表示状態を指定します。"},
    {K::kLabel, L"Label1", 7, kLabel1Base + 7, 120, 3840, 555, 180, L"コメント", nullptr},
    {K::kTextBox, L"Text1", 5, kText1Base + 5, 120, 4080, 5835, 270, nullptr, L"ショートカットのコメントを指定します。"},
    {K::kButton, L"Command2", 0, kCommand2Base + 0, 3480, 4440, 1215, 495, L"作成", L"ショートカットを作成します。"},
    {K::kButton, L"Command2", 1, kCommand2Base + 1, 4800, 4440, 1215, 495, L"終了", L"終了します。"},
    {K::kButton, L"Command1", 0, kCommand1Base + 0, 5760, 360, 255, 255, L"...",
     L"このボタンを押して、ファイルを選択します。"},
    {K::kButton, L"Command1", 1, kCommand1Base + 1, 5760, 1080, 255, 255, L"...",
     L"このボタンを押して、ショートカットの保存先を設定します。"},
    {K::kButton, L"Command1", 2, kCommand1Base + 2, 5760, 1920, 255, 255, L"...",
     L"このボタンを押して、作業フォルダを指定します。"},
    {K::kPicture, L"Picture1", 0, kPicture1Id, 360, 2520, 600, 600, nullptr, nullptr},
    {K::kButton, L"Command1", 3, kCommand1Base + 3, 5760, 2880, 255, 255, L"...",
     L"このボタンを押して、アイコンファイルを指定します。"},
    {K::kButton, L"Command3", 0, kCommand3Base + 0, 120, 2880, 255, 255, L"<",
     L"アイコンファイルに複数のアイコンが含まれている場合、このボタンを押して前のアイコンを選択出来ます。", true},
    {K::kButton, L"Command3", 1, kCommand3Base + 1, 960, 2880, 255, 255, L">",
     L"アイコンファイルに複数のアイコンが含まれている場合、このボタンを押して次のアイコンを選択出来ます。", true},
};

const size_t kForm1ControlCount = sizeof kForm1Controls / sizeof kForm1Controls[0];

const SeparatorLine kSeparatorLines[2] = {
    {120, 1540, 6000, 15, COLOR_BTNSHADOW},     // 1 pixel at 96 DPI
    {120, 1560, 6000, 30, COLOR_BTNHIGHLIGHT},  // 2 pixels
};
