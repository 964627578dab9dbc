#pragma once

#include <QStringView>
#include <optional>

// A session length written as a clock time, H:MM or H:MM:SS (any number of hour digits,
// minutes and seconds 00 to 59), as minutes. Any other text gives no value.
std::optional<double> durationMinutes(QStringView text);
