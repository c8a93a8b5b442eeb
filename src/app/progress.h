#pragma once
// Progress reporting for long core operations. The GUI implements it with the
// modal progress window, the CLI with standard error, tests with NullProgress.
// Called on the thread that runs the operation.

#include <QString>

namespace orvane {

class Progress {
public:
    virtual ~Progress() = default;
    // The operation will take `steps` steps in all (called once at its start).
    virtual void start(int steps) { (void)steps; }
    virtual void advance(int steps = 1) { (void)steps; }
    virtual void message(const QString& text) { (void)text; }
    virtual bool isCancelled() const { return false; }
};

class NullProgress : public Progress {};

}  // namespace orvane
