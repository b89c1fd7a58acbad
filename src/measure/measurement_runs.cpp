#include "measure/measurement_runs.h"

MeasurementRuns::MeasurementRuns(MeasurementHost& host, SerialPort& port, Clock& clock, Dialogs& dialogs,
                                 Progress& parameter, FormRequestSink& requests, AeqStartView& aeqView,
                                 AutoTcrView& tcrView)
    : aeqStart_(requests, aeqView),
      aeqRun_(host, port, clock, dialogs, parameter, aeqStart_),
      tcrRun_(host, port, clock, dialogs, tcrView) {}

bool MeasurementRuns::OpenAeqStart(const std::array<std::int32_t, kOutputCount>& speakerSwitch, int status,
                                   int aeqMode) {
  aeqStart_.Open(speakerSwitch, status, aeqMode);
  return true;
}
