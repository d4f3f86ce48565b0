#pragma once
// Plays a piece of input (a tap, a drag, keys) on the program's event loop, step by step, and
// says when the program has handled all of it: after the last step, once the event loop has
// gone round twice with nothing left that the program queued for itself (Qt's posted events and
// messages posted to its own device windows). Timers the program keeps running do not count.
//
// The steps never wait inside a step: what follows a step is arranged before the step delivers,
// so when the input opens a modal loop (a menu, a dialog), the rest of the input and the report
// run inside that loop, as they would for a person's input.
//
// Pieces handed in while one plays are played after it, in order.
#include <QObject>

#include <chrono>
#include <cstddef>
#include <deque>
#include <functional>
#include <vector>

#include "platform/gui/bridge_protocol.h"

class QTimer;

namespace zt::platform::gui {

class InputPlayer final : public QObject {
public:
    struct Step {
        int delay_ms { 0 };  // after the previous step has settled
        // Delivers; returns the status to report when it could not (Ok to go on).
        std::function<bridge::Status()> deliver;
        bool settle_after { true };
    };
    using Done = std::function<void(bridge::Status status)>;

    // How long the program may stay busy after a step before it counts as handled anyway.
    static constexpr std::chrono::milliseconds kSettleLimit { 3000 };

    explicit InputPlayer(QObject* parent = nullptr);
    ~InputPlayer() override;

    void play(std::vector<Step> steps, Done done);
    bool playing() const { return m_playing; }

private:
    struct Piece {
        std::vector<Step> steps;
        Done done;
    };

    void start_next();
    void run_step(std::size_t index);
    void after_step(std::size_t index);
    void settle(std::function<void()> then);
    void check_settled();
    void finish(bridge::Status status);

    std::deque<Piece> m_waiting;
    Piece m_current;
    bool m_playing { false };
    bridge::Status m_status { bridge::Status::Ok };
    // A generation for each piece, so a late timer of an earlier piece does nothing.
    std::uint64_t m_generation { 0 };

    std::function<void()> m_settled;
    int m_quiet_turns { 0 };
    std::chrono::steady_clock::time_point m_settle_deadline;
    QTimer* m_settle_timer { nullptr };
};

}  // namespace zt::platform::gui
