#pragma once
// Progress reporting and stopping for long core operations. The windows
// implement it through the job runner, the CLI with standard error, tests
// with NullProgress or a recording fake. Called on the thread that runs the
// operation.
//
// An operation announces each phase with start(total, phase text), then
// advances through it. log() lines are the technical record (encoder lines,
// a template skipped); notice() texts are meant for the user and shown apart
// from the log. A long operation asks isCancelled() at least once a second
// and, when it is set, ends with stopped() (an error of kind Stopped) after
// putting back what it changed.

#include <QString>

#include "base/error.h"

namespace orvane {

class Progress {
   public:
    virtual ~Progress() = default;
    // A phase of `steps` steps begins; `phase` says what it does ("添加相片").
    virtual void start(int steps, const QString& phase = {}) {
        (void)steps;
        (void)phase;
    }
    virtual void advance(int steps = 1) { (void)steps; }
    // A line for the log.
    virtual void log(const QString& line) { (void)line; }
    // A message for the user, kept apart from the log lines.
    virtual void notice(const QString& text) { (void)text; }
    virtual bool isCancelled() const { return false; }
};

class NullProgress : public Progress {};

// Forwards everything to another progress; operations that wrap the caller's
// progress override only what they change.
class ForwardingProgress : public Progress {
   public:
    explicit ForwardingProgress(Progress& inner) : m_inner(inner) {}
    void start(int steps, const QString& phase = {}) override { m_inner.start(steps, phase); }
    void advance(int steps = 1) override { m_inner.advance(steps); }
    void log(const QString& line) override { m_inner.log(line); }
    void notice(const QString& text) override { m_inner.notice(text); }
    bool isCancelled() const override { return m_inner.isCancelled(); }

   protected:
    Progress& m_inner;
};

}  // namespace orvane
