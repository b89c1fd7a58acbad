#include "sim/processor_settings.h"

ProcessorSettings::ProcessorSettings() {
  for (auto& select : coefficientWords) {
    for (auto& band : select) band = {0, 0, kUnityWord, 0, 0};
  }
  for (auto& channel : graphicCodes) channel.fill(kGraphicFlatCode);
  levelCodes.fill(kLevelZeroDbCode);
}

const BandWords& ProcessorSettings::Words(int code, int band, int bank) const {
  return coefficientWords[static_cast<std::size_t>(code + bank * kCoefficientBankOffset)]
                         [static_cast<std::size_t>(band)];
}

BandWords& ProcessorSettings::Words(int code, int band, int bank) {
  return coefficientWords[static_cast<std::size_t>(code + bank * kCoefficientBankOffset)]
                         [static_cast<std::size_t>(band)];
}

bool ProcessorSettings::BanksAgree() const {
  for (int code = 0; code < kEqChannelCount; ++code) {
    for (int band = 0; band < kPeqBandCount; ++band) {
      if (Words(code, band, 0) != Words(code, band, 1)) return false;
    }
  }
  return true;
}
