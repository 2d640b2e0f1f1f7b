#include "app/interfacetexts.h"

#include <deque>
#include <vector>

#include <QByteArray>

#include "model/pagetypes.h"

// The texts exactly as the users know them, typos included.

namespace {

constexpr FixedText fixedTable[] = {
    {"language_button", -1, "English", "日本語"},
    {"new_project_button", -1, "新しいプロジェクトを作成", "Create New Project"},
    {"load_project_button", -1, "プロジェクトを読み込む", "Load Project"},
    {"command_group", -1, "操作", "Operation"},
    {"condition_group", -1, "条件", "Condition"},
    {"page_group", -1, "ページ", "Page"},
    {"command_add_button", -1, "追加", "Add"},
    {"test_button", -1, "テスト", "Test"},
    {"command_type_label", -1, "X", "X"},
    {"command_button_combo", 0, "左", "Left"},
    {"command_button_combo", 1, "右", "Right"},
    {"command_seconds_label", -1, "秒", "sec"},
    {"pointer_x_label", -1, "X:", "X:"},
    {"smooth_x_label", -1, "X:", "X:"},
    {"pointer_y_label", -1, "Y:", "Y:"},
    {"smooth_y_label", -1, "Y:", "Y:"},
    {"pointer_get_button", -1, "取得", "Get"},
    {"smooth_get_button", -1, "取得", "Get"},
    {"window_get_button", -1, "取得", "Get"},
    {"window_test_button", -1, "テスト", "Test"},
    {"condition_window_get_button", -1, "取得", "Get"},
    {"command_image_take_button", -1, "画像を取得", "Take Image"},
    {"condition_image_take_button", -1, "画像を取得", "Take Image"},
    {"command_similarity_label", -1, "類似度", "Similarity"},
    {"condition_similarity_label", -1, "類似度", "Similarity"},
    {"command_region_label", -1, "範囲", "Region"},
    {"condition_region_label", -1, "範囲", "Region"},
    {"dx_label", -1, "DX:", "DX:"},
    {"dy_label", -1, "DY:", "DY:"},
    {"image_test_button", -1, "テスト", "Test"},
    {"image_mode_combo", 0, "現れる", "Appears"},
    {"image_mode_combo", 1, "消える", "Disappears"},
    {"condition_test_button", -1, "テスト", "Test"},
    {"color_x_label", -1, "X:", "X:"},
    {"color_y_label", -1, "Y:", "Y:"},
    {"color_get_button", -1, "取得", "Get"},
    {"tolerance_label", -1, "許容差", "Tolerance"},
    {"condition_add_button", -1, "追加", "Add"},
    {"condition_type_label", -1, "時間", "Time"},
    {"condition_button_combo", 0, "左", "Left"},
    {"condition_button_combo", 1, "右", "Right"},
    {"condition_seconds_label", -1, "秒", "sec"},
    {"previous_button", -1, "←", "←"},
    {"run_button", -1, "実行", "Run"},
    {"next_button", -1, "→", "→"},
    {"delete_button", -1, "削除", "Delete"},
    {"page_label", -1, "1/1", "1/1"},
    {"copy_button", -1, "コピー", "Copy"},
    {"paste_button", -1, "ペースト", "Paste"},
    {"file_menu", -1, "ファイル", "File"},
    {"edit_menu", -1, "編集", "Edit"},
    {"report_menu", -1, "報告", "Report"},
    {"settings_menu", -1, "設定", "Settings"},
    {"version_menu", -1, "バージョン", "Version"},
    {"help_menu", -1, "ヘルプ", "Help"},
    {"other_menu", -1, "その他", "Other"},
    {"new_action", -1, "新規作成", "New"},
    {"open_action", -1, "開く", "Open"},
    {"save_action", -1, "上書き保存", "Save"},
    {"save_as_action", -1, "名前を付けて保存", "Save As"},
    {"quit_action", -1, "終了", "Quit"},
    {"undo_action", -1, "元に戻す", "Undo"},
    {"redo_action", -1, "やり直し", "Redo"},
    {"record_action", -1, "記録", "Record"},
    {"report_bug_action", -1, "バグを報告", "Report a Bug"},
    {"suggest_action", -1, "改善案を報告", "Suggest an Improvement"},
    {"need_reply_action", -1, "返信が必要な場合", "Need a Reply"},
    {"ask_save_action", -1, "ファイルを保存するか確認する", "Ask Before Saving File"},
    {"ask_paste_action", -1, "ページにペーストするか確認する", "Ask Before Pasting to Page"},
    {"ask_delete_action", -1, "ページを削除するか確認する", "Ask Before Deleting Page"},
    {"version_action", -1, "バージョン情報", "Version Information"},
    {"help_mode_action", -1, "ヘルプモード", "Help Mode"},
    {"ask_how_action", -1, "使い方を質問する", "Ask How to Use"},
    {"language_action", -1, "English", "日本語"},
    {"license_action", -1, "利用規約を見る", "View 利用規約"},
    {"oss_notice_action", -1, "オープンソースソフトウェアに関する告知を見る",
     "View オープンソースソフトウェアに関する告知"},
    {"qt_info_action", -1, "Qtライブラリの差替え又は再インストールに関する情報を見る",
     "View Qtライブラリの差替え又は再インストールに関する情報"},
    {"lgpl_action", -1, "LGPLv3のライセンス文章を見る", "View LGPLv3のライセンス文章"},
};

constexpr HelpText helpTable[] = {
    {"command_type_combo", nullptr,
     "追加する操作を指定します。\nなし:"
     "何も行われません、条件のみを指定する場合に使用します。\nクリック:"
     "時間を指定してクリックします。\nマウスポインター:"
     "マウスポインターを指定の座標に移動します。\nスムーズムーブ:"
     "実行時のマウスポインターから指定の座標に時間を指定してスムーズに移動します。\nキー:"
     "時間を指定して単一または複数のキーを入力します。\n入力:"
     "1文字当たりの時間を指定して入力します。（日本語対応）\n画像へ移動:"
     "画面に画像が現れるまで待ち、その中心にマウスポインターを移動します。\n「クリック」「スムーズ"
     "ムーブ」「キー」"
     "は操作が実行中でも次の操作に進みます、条件で時間を指定して調整してください。\n操作を追加す場"
     "合は右の「追加」ボタンを押してください。",
     "Select the action to add.\nNone: Does nothing. Use this when you want to specify only a "
     "condition.\nClick: Clicks for the specified amount of time.\nMouse Pointer: Moves the mouse "
     "pointer to the specified coordinates.\nSmooth Move: Smoothly moves the mouse pointer from "
     "its current position at runtime to the specified coordinates over the specified amount of "
     "time.\nKey: Presses one or more keys for the specified amount of time.\nInput: Types text "
     "with a specified time per character. (Supports Japanese)\nMove to Image: Waits until the "
     "image is on the screen, then moves the mouse pointer to its centre.\n\"Click\", \"Smooth "
     "Move\", and "
     "\"Key\" proceed to the next action even while the operation is still running. Adjust the "
     "timing by setting a condition.\nTo add the action, press the \"Add\" button on the right."},
    {"command_add_button", nullptr, "右のメニューで設定した操作を追加します。",
     "Adds the action configured in the menu on the right."},
    {"test_button", nullptr, "設定している座標にマウスポインターを移動します。",
     "Moves the mouse pointer to the configured coordinates."},
    {"command_type_label", nullptr, "設定中の操作です。", "The action currently being configured."},
    {"text_edit", nullptr, "入力する文章を設定します。（日本語対応）",
     "Sets the text to input. (Supports Japanese)"},
    {"command_button_combo", "condition_button_combo", "クリックの種類を右か左で設定します。",
     "Sets the click type to either right or left."},
    {"command_time_spin", nullptr,
     "時間を指定します。\n操作によって意味が変わります。\nクリック:"
     "クリックする時間を指定します。\nスムーズムーブ:"
     "マウスポインターが指定した座標に着くまでにかかる時間を指定します。\nキー:"
     "キーを入力する時間を指定します。\n入力:"
     "1文字当たりを入力するのにかかる時間を指定します。\n単位は秒です。",
     "Specifies the time.\nIts meaning depends on the action.\nClick: Specifies the duration of "
     "the click.\nSmooth Move: Specifies the time it takes for the mouse pointer to reach the "
     "specified coordinates.\nKey: Specifies the duration for pressing the key(s).\nInput: "
     "Specifies the time required to input each character.\nThe unit is seconds."},
    {"condition_type_combo", nullptr,
     "追加する条件を指定します。\n終わるまで待つ:"
     "操作が終わるまで待ってから、次の操作に進みます。時間:"
     "次の操作に進むまでの時間を指定します。\n即時:何も待たずに次の操作に進みます。\nクリック:"
     "クリックされた時に次の操作に進みます。\nキー:"
     "単一または複数のキーを指定して、それが入力された時に次の操作に進みます。\n時刻:"
     "次の操作に進む時刻を設定します。\n画像:"
     "画像が画面に現れた時（または消えた時）に次の操作に進みます。\n色:"
     "指定した点が指定した色になった時に次の操作に進みます。",
     "Select the condition to add.\nWait until over: Wait until the current command finishes "
     "before proceeding to the next command.\nTime: Specifies how long to wait before proceeding "
     "to the next action.\nImmediate: Proceeds to the next action without waiting.\nClick: "
     "Clicking will proceed to the next command.Key: Specify one or more keys, and proceed to the "
     "next action when they are pressed.\nClock Time:Set the time to proceed to the next command."
     "\nImage: Proceeds when the image appears on (or disappears from) the screen.\nColor: "
     "Proceeds when the point has the specified colour."},
    {"condition_add_button", nullptr, "右のメニューで設定した条件を追加します。",
     "Adds the condition configured in the menu on the right."},
    {"condition_type_label", nullptr, "設定中の条件です。",
     "The condition currently being configured."},
    {"condition_time_spin", nullptr,
     "時間を指定します。\n条件によって意味が変わります。\n時間:"
     "次の操作に進むまでの時間を指定します。\n終わるまで待つ:"
     "操作が終わってから、次の操作に進むまでの時間を指定します。",
     "Specifies the time.\nThe meaning changes depending on the condition.\nTime: Specifies the "
     "time before proceeding to the next operation.\nWait until over: Specifies the time after the "
     "operation finishes before proceeding to the next operation."},
    {"hour_spin", nullptr, "操作が次へ進む時刻の設定です。何時かを設定します。",
     "This is where you set the time for the command to advance to the next step. Set the time."},
    {"minute_spin", nullptr, "操作が次へ進む時刻の設定です。何分かを設定します。",
     "This sets the time for the command to advance to the next step. You can set the number of "
     "minutes."},
    {"previous_button", nullptr, "前のページに戻ります。", "Returns to the previous page."},
    {"run_button", nullptr, "現在のプロジェクトを実行します。", "Runs the current project."},
    {"next_button", nullptr, "次のページに進みます。", "Advances to the next page."},
    {"delete_button", nullptr, "現在のページを削除します。", "Deletes the current page."},
    {"page_label", nullptr, "すべてのページの数と現在のページです。",
     "Shows the total number of pages and the current page."},
    {"page_list", nullptr,
     "押したページに飛びます、「+」を押すと「+」の位置にページを追加できます。",
     "Jump to the page you click. Press \"+\" to add a page at the position of \"+\"."},
    {"copy_button", nullptr, "現在のページをコピーします。", "Copies the current page."},
    {"paste_button", nullptr, "コピーしたのページをペーストします。", "Pastes the copied page."},
    {"pointer_x_spin", "smooth_x_spin",
     "マウスポインターのX座標です。\n自分で入力するか「取得」ボタンで簡単に取得できます。",
     "The X coordinate of the mouse pointer.\nYou can enter it manually or easily get it with the "
     "\"Get\" button."},
    {"pointer_y_spin", "smooth_y_spin",
     "マウスポインターのY座標です。\n自分で入力するか「取得」ボタンで簡単に取得できます。",
     "The Y coordinate of the mouse pointer.\nYou can enter it manually or easily get it with the "
     "\"Get\" button."},
    {"pointer_get_button", "smooth_get_button", "マウスポインターの座標を簡単に取得できます。",
     "Easily gets the mouse pointer coordinates."},
    {"window_title_edit", "condition_window_edit",
     "ウィンドウのタイトルの一部です。大文字と小文字は区別しません。\n"
     "自分で入力するか「取得」ボタンで簡単に取得できます。",
     "Part of the window's title, whatever the case.\nYou can enter it manually or easily get it "
     "with the \"Get\" button."},
    {"window_get_button", "condition_window_get_button",
     "マウスポインターの下にあるウィンドウのタイトルを簡単に取得できます。",
     "Easily gets the title of the window under the mouse pointer."},
    {"window_test_button", nullptr, "設定しているウィンドウを前面に出します。",
     "Brings the configured window to the front."},
    {"command_image_view", "condition_image_view",
     "探す画像です。「画像を取得」ボタンで画面から切り取ります。",
     "The image to look for. Cut it from the screen with the \"Take Image\" button."},
    {"command_image_take_button", "condition_image_take_button",
     "ウィンドウを隠して画面全体を止め、探す部分をドラッグで囲みます。Escでやめます。\n"
     "別の表示倍率で取得した画像は見つかりません。",
     "Hides the window, freezes the whole screen and lets you drag a rectangle around the part "
     "to look for. Escape cancels.\nAn image taken at one display scale is not found at "
     "another."},
    {"command_similarity_spin", "condition_similarity_spin",
     "どれだけ似ていれば見つかったとするかです。0.5から1まで、1は完全に一致です。",
     "How alike the screen must be to count as found, from 0.5 to 1 (identical)."},
    {"command_region_edit", "condition_region_edit",
     "探す範囲を x,y,w,h（ピクセル）で指定します。空ならデスクトップ全体です。",
     "Where to look, as x,y,w,h in screen pixels. Empty is the whole desktop."},
    {"dx_spin", "dy_spin", "見つかった画像の中心からずらす量（ピクセル）です。",
     "How far from the found image's centre the pointer goes, in pixels."},
    {"image_test_button", nullptr, "今の画面で画像を探し、見つかった場所を枠で示します。",
     "Looks for the image on the screen now and frames where it was found."},
    {"image_mode_combo", nullptr,
     "現れる:画像が画面に現れたら次へ進みます。\n消える:画像が画面から消えたら次へ進みます。",
     "Appears: proceeds when the image is on the screen.\nDisappears: proceeds when it is no "
     "longer on it."},
    {"condition_test_button", nullptr, "今の画面で条件を確かめます。",
     "Checks the condition on the screen now."},
    {"color_x_spin", "color_y_spin",
     "色を調べる点の座標です。\n自分で入力するか「取得」ボタンで簡単に取得できます。",
     "The point whose colour is checked.\nYou can enter it manually or easily get it with the "
     "\"Get\" button."},
    {"color_get_button", nullptr,
     "Ctrl+Alt+Gを押した時のマウスポインターの下の点と、その色を取得します。",
     "Takes the point under the mouse pointer and its colour when you press Ctrl+Alt+G."},
    {"color_edit", nullptr, "待つ色を #RRGGBB で指定します。",
     "The colour to wait for, as #RRGGBB."},
    {"tolerance_spin", nullptr, "赤・緑・青それぞれの許容差（0〜255）です。",
     "How far each of red, green and blue may differ (0 to 255)."},
};

// The type menus' entries, from the page types, then the table.
struct FixedTexts {
    std::deque<QByteArray> keywords;
    std::vector<FixedText> rows;

    void addTypeMenu(const char* menu, std::span<const PageType> types) {
        int item = 0;
        for (const PageType& type : types) {
            keywords.push_back(type.keyword.toUtf8());
            rows.push_back({menu, item++, keywords.back().constData(), type.english});
        }
    }
};

} // namespace

std::span<const FixedText> fixedTexts() {
    static const FixedTexts texts = [] {
        FixedTexts built;
        built.addTypeMenu("command_type_combo", operationTypes());
        built.addTypeMenu("condition_type_combo", conditionTypes());
        built.rows.insert(built.rows.end(), std::begin(fixedTable), std::end(fixedTable));
        return built;
    }();
    return texts.rows;
}

std::span<const HelpText> helpTexts() {
    return helpTable;
}
