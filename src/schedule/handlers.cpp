#include "schedule/handlers.h"

#include "schedule/period.h"

namespace ts {

void ScheduleHandlers::OnStartClicked() {
    const MinutesText text = ops_.ReadMinutesText();
    timer_.SetPeriod(text.wide ? MinutesToPeriod(text.chars) : MinutesToPeriod(text.bytes));
    // Confirmed whatever the period came to; the countdown already runs while the box is open.
    ops_.ShowNotice(kArmedNotice);
}

void ScheduleHandlers::OnCancelClicked() {
    timer_.SetPeriod(0);
    ops_.ShowNotice(kCancelledNotice);
}

void ScheduleHandlers::OnTimerTick() {
    // A refused request is simply made again at the next tick.
    static_cast<void>(ops_.RequestSystemShutdown());
}

}  // namespace ts
