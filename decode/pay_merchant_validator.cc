#include "decode/pay_merchant_validator.h"

#include <bit>
#include <cstdint>

namespace zelto {

ZeltoPayMerchantTLVValidator& ZeltoPayMerchantTLVValidator::sharedValidator() {
  thread_local ZeltoPayMerchantTLVValidator validator;
  return validator;
}

const std::vector<std::string>& ZeltoPayMerchantTLVValidator::validatePayMerchantTLV00(
    const ZeltoPayMerchantTLV* record) {
  if (record == nullptr) {
    errorCodes_.clear();
    return errorCodes_;
  }
  return validatePayMerchantTLV00(RecordPayload(*record).view());
}

const std::vector<std::string>& ZeltoPayMerchantTLVValidator::validatePayMerchantTLV01(
    const ZeltoPayMerchantTLV* record) {
  if (record == nullptr) {
    errorCodes_.clear();
    return errorCodes_;
  }
  return validatePayMerchantTLV01(RecordPayload(*record).view());
}

const std::vector<std::string>& ZeltoPayMerchantTLVValidator::validatePayMerchantTLV00(
    const PayloadView& payload) {
  errorCodes_.clear();
  PayloadRules rules(errorCodes_, payload.oneBytePerCharacter);
  rules.validateMerchantID(payload.merchantId);
  rules.validateMerchantName(payload.merchantName);
  rules.validateMerchantCategoryCode(payload.merchantCategoryCode);
  rules.validateCityName(payload.cityName);
  rules.validateCountryCode(payload.countryCode);
  rules.validateCurrencyCode(payload.currencyCode);
  rules.validateTransactAmount(payload.transactionAmount);
  rules.validatePrimaryId(payload.primaryId);
  rules.validateSecondaryId(payload.secondaryId);
  rules.validateTipAndFeeIndicator(payload.tipAndFeeIndicator, payload.convenienceFeeAmount,
                                   payload.convenienceFeePercentage);
  return errorCodes_;
}

const std::vector<std::string>& ZeltoPayMerchantTLVValidator::validatePayMerchantTLV01(
    const PayloadView& payload) {
  errorCodes_.clear();
  PayloadRules rules(errorCodes_, payload.oneBytePerCharacter);
  rules.validatePayloadFormatIndicator(payload.payloadFormatIndicator);
  rules.validateMerchantID(payload.merchantId);
  rules.validateMerchantCategoryCode(payload.merchantCategoryCode);
  rules.validateCurrencyCode(payload.currencyCode);
  rules.validateTransactAmount(payload.transactionAmount);
  rules.validateTipAndFeeIndicator(payload.tipAndFeeIndicator, payload.convenienceFeeAmount,
                                   payload.convenienceFeePercentage);
  rules.validateCountryCode(payload.countryCode);
  rules.validateMerchantName(payload.merchantName);
  rules.validateCityName(payload.cityName);
  rules.validatePostalCode(payload.postalCode);
  if (payload.additionalData) rules.validateAdditionalDataField(*payload.additionalData);
  if (payload.languageTemplate) {
    rules.validateMerchantInformationLanguageTemplate(*payload.languageTemplate);
  }
  for (std::uint32_t held = payload.heldAccountTemplates; held != 0; held &= held - 1) {
    rules.validateMerchantAccountInformationTemplate(
        *payload.accountTemplates[std::countr_zero(held)]);
  }
  return errorCodes_;
}

}  // namespace zelto
