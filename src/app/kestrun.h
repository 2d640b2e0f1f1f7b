#pragma once

#include <memory>

#include <QPointer>

#include <QMainWindow>
#include <QString>
#include <QStringList>
#include <QTimer>

#include "app/editorpanels.h"
#include "app/globalhotkeyfilter.h"
#include "app/projecthistory.h"
#include "keys/heldkeyswallower.h"
#include "model/tokens.h"
#include "platform/globalhotkey.h"
#include "platform/runlock.h"
#include "record/recordingoptions.h"
#include "settings/settings.h"

class HoverHideWindow;
class ImageField;
class KeyCapture;
class RecordingSession;
class Run;
class RunIndicator;
class QAction;
class QComboBox;
class QDoubleSpinBox;
class QGroupBox;
class QLabel;
class QListWidget;
class QMenu;
class QPushButton;
class QSpinBox;
class QSystemTrayIcon;
class QTextEdit;

// The main window: the start page and the project editor. It owns the open
// project, the settings values and every widget; files and settings are read
// and written by the model and settings code it calls.
class kestrun : public QMainWindow {
    Q_OBJECT

public:
    explicit kestrun(QWidget* parent = nullptr);
    ~kestrun() override;

    // Read access for the parts of the program that run a project.
    const PageList& commands() const { return list_command; }
    const PageList& conditions() const { return list_condition; }
    int currentPage() const { return current_page; }
    const Settings& currentSettings() const { return settings; }
    const QString& projectPath() const { return project_path; }

    // Opens a project named on the command line, as the start page's Load
    // button would after its dialog: the editor is shown either way.
    void openFile(const QString& path);
    // Another start of the program: brings the window forward and opens
    // `path`, if any, as Open would, as soon as the window can take it.
    void receiveFromAnotherStart(const QString& path);
    // In a Wayland session: tells once that programs running natively on
    // Wayland get none of Kestrun's input.
    void showXWaylandNotice();

    using GlobalHotkeyFilter = ::GlobalHotkeyFilter;

private slots:
    void getCoordinate();
    void getCoordinate2();
    void pollKeystroke();
    void addNewCommand();
    void addCommand();
    void addCondition();
    void changeMenuAddCommand();
    void changeMenuAddCondition();
    void nextPage();
    void returnPage();
    void changeSomeThing();
    void changeWidgetPage();
    void deletePage();
    void copy();
    void paste();
    void saveFile1();
    void saveFile3();
    void loadFile1();
    void importedCommand();
    void newFile();
    void stertRun();
    void onRunFinished();
    void reportBug();
    void reportImprovementSuggestion();
    void moveMousePointer();
    void activateTestWindow();
    void changeLanguage();

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    enum class GuardedCommand { New, Open, Close };

    // Layout (kestrun_layout.cpp).
    void buildWidgets();
    void buildStartPage();
    void buildTypeEditors();
    void buildPageWidgets();
    void buildMenus();
    void buildValueFields();
    void connectSignals();

    // Core (kestrun.cpp).
    void showEditor();
    void refresh();
    void completeProject();
    void fitFixedTexts();

    // Editor (kestrun_editor.cpp).
    void hideTypeWidgets();
    void showCommand(const QStringList& tokens);
    void showCondition(const QStringList& tokens);
    void startKeyCapture(bool forCondition, const QStringList& previous);
    void setKeyCaptureMode(bool on, bool forCondition);
    void setNavigationLocked(bool locked);
    void hideInapplicableNavigation();

    // Pages (kestrun_pages.cpp).
    void rebuildPageList();

    // File (kestrun_file.cpp).
    bool isSaved() const;
    bool confirmDiscard(GuardedCommand command);
    bool askYesNo(const QString& title, const QString& text);
    void replaceProject(const PageList& commands, const PageList& conditions);
    void writeProject(const QString& path);
    QString saveAsStart() const;
    QString askSavePath();
    void openProject(const QString& path);
    QString desktopPath() const;

    // Undo and redo (kestrun_history.cpp).
    ProjectSnapshot snapshot() const;
    void restoreSnapshot(const ProjectSnapshot& snapshot);
    void recordHistory(bool fieldEdit);
    void updateEditActions();
    void connectHistory();
    void leaveUndoKeysToTheWindow();

    // Dropped files (kestrun_drop.cpp).
    bool acceptsProjectDrop() const;
    void openFromOutside(const QString& path);

    // Other starts of the program (kestrun_session.cpp).
    void connectOtherStarts();
    void bringForward();
    void openWaitingFile();

    // Menus (kestrun_menus.cpp).
    void toggleLanguage();
    void setHelpMode(bool on);
    void connectMenuBarKey();
    void showVersion();

    // Feedback and documents (kestrun_feedback.cpp).
    void connectFeedbackAndDocuments();

    // Running (kestrun_run.cpp).
    void connectRunButton();
    void showRunIndicator(Run* run);

    // Recording (kestrun_record.cpp).
    void startRecording();
    void refuseRecording();
    void showRecordingIndicator();
    void finishRecording(bool stoppedByClick);
    void insertRecordedPages(const PageList& commands, const PageList& conditions);

    // Coordinate capture (kestrun_coordinates.cpp).
    void connectCoordinateCapture();
    void registerGlobalHotkey();
    void unregisterGlobalHotkey();
    void endCoordinateCapture();
    void takeCoordinate();
    void takeWindowTitle();

    // The pages that look at the screen (kestrun_screenpages.cpp).
    void buildScreenFields();
    void connectScreenPages();
    void takeImage(bool forCondition);
    void freezeDesktop(bool forCondition);
    void takeColor();
    void testScreenPage(bool forCondition);
    void searchNow(const QStringList& tokens);
    void probeNow(const QStringList& tokens);
    void showScreenMessage(const QString& text);
    void writeFieldsBack();

    HoverHideWindow* hoverWindow = nullptr;
    QPointer<RunIndicator> run_indicator;
    // A recording going on, what stands for it, and the last options chosen.
    std::unique_ptr<RecordingSession> recording_session;
    QPointer<QSystemTrayIcon> recording_tray;
    RecordingOptions recording_options;
    // Held from the start of a run to its end.
    std::unique_ptr<RunLock> run_lock;
    Settings settings;
    QString project_path;
    QString selected_command_type = keyword::None;
    QString selected_condition_type = keyword::WaitUntilOver;
    PageList list_command;
    PageList list_condition;
    PageList saved_list_command;
    PageList saved_list_condition;
    int current_page = 1;
    bool capture_for_condition = false;
    // What Ctrl+Alt+G takes: the pointer's coordinates, the title of the
    // window under it (for the operation or the condition), or the
    // coordinates and colour of the pixel under it.
    enum class CaptureTarget { Coordinate, OperationTitle, ConditionTitle, Color };
    CaptureTarget capture_target = CaptureTarget::Coordinate;
    bool refreshing = false;
    QStringList copied_command;
    QStringList copied_condition;
    bool editor_shown = false;
    QString message_title;
    QString message_text;
    std::unique_ptr<GlobalHotkeyFilter> hotkeyFilter;
    bool hotkeyRegistered = false;
    int hotkeyId = GlobalHotkey::hotkeyId;
    QTimer keystroke_timer;
    std::unique_ptr<KeyCapture> key_capture;
    // An editor key capture runs: the page it started on stays locked.
    bool capturing_key = false;
    ProjectHistory history;
    HeldKeySwallower held_keys;
    // The file another start handed over, until the window can open it.
    QString waiting_file;
    QTimer waiting_timer;

    QGroupBox* command_group = nullptr;
    QGroupBox* condition_group = nullptr;
    QGroupBox* page_group = nullptr;
    QPushButton* new_project_button = nullptr;
    QPushButton* load_project_button = nullptr;
    QPushButton* language_button = nullptr;
    QComboBox* command_type_combo = nullptr;
    QPushButton* command_add_button = nullptr;
    QLabel* command_type_label = nullptr;
    QComboBox* condition_type_combo = nullptr;
    QPushButton* condition_add_button = nullptr;
    QLabel* condition_type_label = nullptr;
    QLabel* condition_seconds_label = nullptr;
    QPushButton* previous_button = nullptr;
    QPushButton* run_button = nullptr;
    QPushButton* next_button = nullptr;
    QPushButton* delete_button = nullptr;
    QLabel* page_label = nullptr;
    QListWidget* page_list = nullptr;
    QPushButton* copy_button = nullptr;
    QPushButton* paste_button = nullptr;

    // The fields the page types' panels show.
    EditorFields fields;

    QMenu* file_menu = nullptr;
    QMenu* edit_menu = nullptr;
    QMenu* report_menu = nullptr;
    QMenu* settings_menu = nullptr;
    QMenu* version_menu = nullptr;
    QMenu* help_menu = nullptr;
    QMenu* other_menu = nullptr;
    QAction* new_action = nullptr;
    QAction* open_action = nullptr;
    QAction* save_action = nullptr;
    QAction* save_as_action = nullptr;
    QAction* quit_action = nullptr;
    QAction* undo_action = nullptr;
    QAction* redo_action = nullptr;
    QAction* record_action = nullptr;
    QAction* report_bug_action = nullptr;
    QAction* suggest_action = nullptr;
    QAction* need_reply_action = nullptr;
    QAction* ask_save_action = nullptr;
    QAction* ask_paste_action = nullptr;
    QAction* ask_delete_action = nullptr;
    QAction* version_action = nullptr;
    QAction* help_mode_action = nullptr;
    QAction* ask_how_action = nullptr;
    QAction* language_action = nullptr;
    QAction* license_action = nullptr;
    QAction* oss_notice_action = nullptr;
    QAction* qt_info_action = nullptr;
    QAction* lgpl_action = nullptr;
};
