#include "log/DateText.h"

namespace dorvex {

std::string twoDigits(int value) {
    const int last = value % 100;
    return {static_cast<char>('0' + last / 10), static_cast<char>('0' + last % 10)};
}

std::string timeText(const LocalDateTime& moment) {
    return twoDigits(moment.hour) + ":" + twoDigits(moment.minute) + ":" + twoDigits(moment.second);
}

std::string dateText(const LocalDateTime& moment, const Clock& clock) {
    return twoDigits(moment.day) + "-" + clock.abbreviatedMonthName(moment.month) + "-" +
           twoDigits(moment.year);
}

std::string dateTimeText(const LocalDateTime& moment, const Clock& clock) {
    return dateText(moment, clock) + " " + timeText(moment);
}

} // namespace dorvex
