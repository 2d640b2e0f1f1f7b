#include "app/projecthistory.h"

namespace {

constexpr int fieldEditId = 1;

} // namespace

// One change of the project: the snapshots before and after it.
class SnapshotStep : public QUndoCommand {
public:
    SnapshotStep(ProjectHistory& history, ProjectSnapshot before, ProjectSnapshot after,
                 bool fieldEdit)
        : history(history), before(std::move(before)), after(std::move(after)),
          fieldEdit(fieldEdit) {}

    void undo() override { history.apply(before); }
    void redo() override {
        // Pushed after the change was made: the first redo has nothing to do.
        if (done) {
            history.apply(after);
            return;
        }
        done = true;
    }

    int id() const override { return fieldEdit ? fieldEditId : -1; }

    bool mergeWith(const QUndoCommand* other) override {
        const auto* next = static_cast<const SnapshotStep*>(other);
        if (next->after.page != after.page)
            return false;
        after = next->after;
        // Edits that came back to where they started are no step at all.
        setObsolete(before.sameProject(after));
        return true;
    }

private:
    ProjectHistory& history;
    ProjectSnapshot before;
    ProjectSnapshot after;
    bool fieldEdit;
    bool done = false;
};

ProjectHistory::ProjectHistory(std::function<void(const ProjectSnapshot&)> restore, QObject* parent)
    : QObject(parent), restore(std::move(restore)) {
    connect(&stack, &QUndoStack::indexChanged, this, &ProjectHistory::changed);
    connect(&stack, &QUndoStack::canUndoChanged, this, &ProjectHistory::changed);
    connect(&stack, &QUndoStack::canRedoChanged, this, &ProjectHistory::changed);
}

void ProjectHistory::reset(const ProjectSnapshot& current) {
    stack.clear();
    last = current;
    emit changed();
}

void ProjectHistory::record(const ProjectSnapshot& current, bool fieldEdit) {
    if (last.sameProject(current)) {
        last.page = current.page;
        return;
    }
    ProjectSnapshot before = std::exchange(last, current);
    stack.push(new SnapshotStep(*this, std::move(before), current, fieldEdit));
}

void ProjectHistory::apply(const ProjectSnapshot& snapshot) {
    last = snapshot;
    restore(snapshot);
}
