// Content faults: pages that say something a careful reader must not take at
// face value. Each changes only the pages it names, never the ground truth, so a
// download that stored what such a page says would differ from the truth.
#pragma once

#include "statsite/FaultPlan.h"
#include "statsite/HttpAnswer.h"
#include "statsite/SiteRoots.h"

namespace tw::statsite {

// What the emblem fault puts at the end of the emblem address, as raw bytes.
inline constexpr char kEmblemInjection[] = "\r\nX-Injected: yes\r\n\r\nGET /smuggled HTTP/1.0";
// The kills the number faults show.
inline constexpr char kBadNumber[] = "99999999999";
inline constexpr char kNegativeNumber[] = "-3";

// Applies the plan's content faults to the answer to target; true when the body
// changed.
bool applyContentFaults(HttpAnswer& answer, const SiteRoots& roots, const QByteArray& target,
                        const FaultPlan& plan);

}  // namespace tw::statsite
