#pragma once

#include <functional>

#include <QObject>
#include <QUndoStack>

#include "model/tokens.h"

// The project as one undo step sees it: both token lists and the page shown.
struct ProjectSnapshot {
    PageList commands;
    PageList conditions;
    int page = 1;

    bool sameProject(const ProjectSnapshot& other) const {
        return commands == other.commands && conditions == other.conditions;
    }
};

// Undo and redo of the editor as whole-project snapshots: whatever command
// changed the lists, one step puts back what they held before it, and shows
// the page it happened on.
class ProjectHistory : public QObject {
    Q_OBJECT

public:
    // `restore` puts a snapshot back into the editor.
    explicit ProjectHistory(std::function<void(const ProjectSnapshot&)> restore,
                            QObject* parent = nullptr);

    // Forgets every step; `current` is the project as it now stands.
    void reset(const ProjectSnapshot& current);
    // Records `current` as a step when its lists differ from the last ones
    // seen; otherwise only remembers the page shown. Successive field edits
    // on one page (typing, spinning a value) merge into one step.
    void record(const ProjectSnapshot& current, bool fieldEdit);

    bool canUndo() const { return stack.canUndo(); }
    bool canRedo() const { return stack.canRedo(); }
    void undo() { stack.undo(); }
    void redo() { stack.redo(); }

signals:
    void changed();

private:
    friend class SnapshotStep;
    void apply(const ProjectSnapshot& snapshot);

    std::function<void(const ProjectSnapshot&)> restore;
    ProjectSnapshot last;
    QUndoStack stack;
};
