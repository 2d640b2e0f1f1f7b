#pragma once

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include <QObject>
#include <QString>

#include "model/tokens.h"
#include "platform/inputeventsource.h"
#include "run/heldinput.h"
#include "run/inputwatch.h"
#include "run/operationthread.h"
#include "run/runpagetypes.h"
#include "run/stopsignal.h"

class QSystemTrayIcon;

// One run of a project: after the start delay it walks the pages, starting
// each page's operation and waiting for its condition, for the given number
// of passes or until the exit command or a click on the tray icon stops it.
// The work is done on standard threads of its own; a Run serves one run.
class Run : public QObject, private RunContext {
    Q_OBJECT

public:
    // The number of passes that means: repeat until stopped.
    static constexpr int repeatUntilStopped = 114514;

    // Called on the run thread as each page begins: pass and page, from 1.
    using PageObserver = std::function<void(qint64 pass, int page)>;

    // The platform's input backend and event source.
    Run();
    // Without an event source keys and buttons are polled every 50 ms.
    explicit Run(InputBackend& input, std::unique_ptr<InputEventSource> events = nullptr);
    ~Run() override;

    // On the GUI thread: the tray icon is made here.
    void setParameters(int stertTime, int runNumber, const QString& stopCommand,
                       const PageList& listCommand, const PageList& listCondition,
                       const QString& projectName);
    void setPageObserver(PageObserver observer);
    // Set from the number of passes by setParameters; a caller that counts
    // every number (the player's --runs 114514) says so after it.
    void setRepeatUntilStopped(bool repeat) { repeat_until_stopped = repeat; }

    // Stops the run as the exit command would, releasing at once whatever
    // the run holds; callable from any thread but a signal handler.
    void requestStop();
    // Whether the run was (or is being) stopped rather than ending by itself.
    bool wasStopped() const;
    // The tray icon that stands for the run until it ends; it lives on the
    // thread that set the parameters (the GUI thread), not the Run's.
    QSystemTrayIcon* trayIcon() const;

public slots:
    void start();

signals:
    void finished();
    void requestBeep();

private:
    void runLoop();
    void endRun();
    void parseStopCommand();
    void startStopChecker();
    void stopStopChecker();
    void watchStopCommand();
    void waitForWatcher();
    bool needsInputWatch() const;
    std::vector<int> watchedKeys() const;
    void onExitCommand();

    void showTrayIcon();
    void removeTrayIcon();
    void connectBeep();

    void startOperation(const QStringList& command);
    void waitForCondition(const QStringList& condition);
    void joinFinishedOperations();

    // What the page types use of the run.
    InputBackend& runInput() override;
    const StopSignal& stopSignal() const override;
    void launchOperation(std::function<void()> work) override;
    void joinOperations() override;
    void waitSeconds(double seconds) override;
    void waitForButton(int virtualKey) override;
    void waitForKeyCombination(const QString& keyText) override;
    WindowList& windowList() override;
    ScreenCapture& screenCapture() override;
    void stopRun() override;

    int stert_time = 0;
    int run_number = 0;
    bool repeat_until_stopped = false;
    QString stop_command;
    PageList list_command;
    PageList list_condition;
    QString project_name;
    StopSignal stop_requested;
    int stop_vk = 0;
    int stop_mask = 0;
    std::unique_ptr<std::thread> stop_checker_thread;
    std::atomic<bool> stop_checker_active{false};
    std::atomic<QSystemTrayIcon*> tray_icon{nullptr};
    std::unique_ptr<std::thread> run_thread;
    std::vector<OperationThread> operation_threads;
    std::atomic<bool> running{false};

    // Every input of the run goes through this, so nothing it pressed can
    // outlive it.
    HeldInput input;
    PageObserver page_observer;
    std::unique_ptr<InputEventSource> input_events;
    InputWatch input_watch{stop_requested};
    // The source the watcher thread reads, once it has fallen back to polling.
    std::mutex watcher_mutex;
    InputEventSource* polling_events = nullptr;
};
