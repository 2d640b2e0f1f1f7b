#pragma once

#include <atomic>
#include <chrono>
#include <memory>

#include <QObject>
#include <QtTest>

#include "recordingbackend.h"
#include "run/run.h"

using Clock = std::chrono::steady_clock;

inline double secondsBetween(Clock::time_point from, Clock::time_point to) {
    return std::chrono::duration<double>(to - from).count();
}

// A Run on a recording backend, with its beeps and its end observed on the
// test's thread.
struct RunHarness {
    RecordingBackend backend;
    QObject context;
    std::unique_ptr<Run> run = std::make_unique<Run>(backend, backend.createEventSource());
    int beeps = 0;
    bool finished = false;
    std::atomic<Clock::rep> finishedAt{0};

    void setUp(int startDelay, int passes, const QString& stopCommand, const PageList& commands,
               const PageList& conditions, const QString& name = QStringLiteral("p")) {
        QObject::connect(
            run.get(), &Run::requestBeep, &context, [this] { ++beeps; }, Qt::QueuedConnection);
        QObject::connect(
            run.get(), &Run::finished, &context,
            [this] { finishedAt.store(Clock::now().time_since_epoch().count()); },
            Qt::DirectConnection);
        QObject::connect(
            run.get(), &Run::finished, &context, [this] { finished = true; }, Qt::QueuedConnection);
        run->setParameters(startDelay, passes, stopCommand, commands, conditions, name);
    }

    bool waitFinished(int milliseconds = 5000) {
        const bool done = QTest::qWaitFor([this] { return finished; }, milliseconds);
        QCoreApplication::processEvents();
        return done;
    }

    Clock::time_point finishTime() const {
        return Clock::time_point(Clock::duration(finishedAt.load()));
    }

    std::vector<QPoint> pointerMarks() const {
        std::vector<QPoint> marks;
        for (const auto& event : backend.events(RecordingBackend::Kind::SetCursor))
            marks.emplace_back(event.a, event.b);
        return marks;
    }
};

inline QStringList pointerAt(int x, int y) {
    return {keyword::MousePointer, QString::number(x), QString::number(y)};
}
