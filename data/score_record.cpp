#include "data/score_record.h"

namespace vellmora {

ScoreRecord::ScoreRecord(const LocalDateTime& realNow, std::int32_t gameYear,
                         std::int32_t gameMonth, const ScoreResults& results) {
    fields_[0] = ((realNow.year - 1900) * 100 + realNow.month) * 100 + realNow.day;
    fields_[1] = realNow.hour * 100 + realNow.minute;
    fields_[2] = (gameYear * 100 + gameMonth) * 100;
    fields_[3] = 0;
    fields_[4] = 0;
    fields_[5] = results.competitors;
    fields_[6] = results.researchLevel;
    fields_[7] = results.poisonings;
    fields_[8] = results.overworkDeaths;
    fields_[9] = results.difficulty;
}

}  // namespace vellmora
