#include "survey/SurveyFile.h"

#include "survey/ns1/Ns1Reader.h"
#include "survey/wigle/WigleCsvReader.h"

namespace wavemark {

SurveyProblem ReadSurvey(SurveyFormat format, ByteStream& stream, Survey& survey) {
    switch (format) {
    case SurveyFormat::Ns1:
        return ReadNs1(stream, survey);
    case SurveyFormat::WigleCsv:
        return ReadWigleCsv(stream, survey);
    case SurveyFormat::NetStumblerExport:
    case SurveyFormat::Unknown:
        break;
    }
    return {0, "Is not a survey file"};
}

} // namespace wavemark
