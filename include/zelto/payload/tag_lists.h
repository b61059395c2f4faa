// The vocabulary of the QR payload, as X-macro lists so that the tag table, the QRCodeTag
// constants and the tag-per-property record are all generated from one source.
//
// ZELTO_TAG_TABLE(X): X(propertyName, "tag") for the 114 entries of the tag table, by tag.
// Tags "26"-"51", "62", "64" and "80"-"99" are templates; "6201"-"6214" are the sub-fields of
// the additional data template "62".
//
// ZELTO_MERCHANT_TLV_PROPERTIES(S, M, ID): the properties of ZELTOMerchantTLV after
// isTipAvailable, in declaration order: S(name) an optional string, M(name) an optional map,
// ID(name) the merchant identifier, whose setter has a side effect.
#ifndef ZELTO_PAYLOAD_TAG_LISTS_H_
#define ZELTO_PAYLOAD_TAG_LISTS_H_

// clang-format off
#define ZELTO_TAG_TABLE(X) \
  X(payloadFormatIndicator, "00") \
  X(pointOfInitiation, "01") \
  X(zeltoMerchantID, "02") \
  X(aliasID, "03") \
  X(masterCardPAN1, "04") \
  X(masterCardPAN2, "05") \
  X(npciid1, "06") \
  X(npciid2, "07") \
  X(tag08, "08") \
  X(discover1, "09") \
  X(discover2, "10") \
  X(amex1, "11") \
  X(amex2, "12") \
  X(jcb1, "13") \
  X(jcb2, "14") \
  X(unionPay1, "15") \
  X(unionPay2, "16") \
  X(tag17, "17") \
  X(tag18, "18") \
  X(tag19, "19") \
  X(tag20, "20") \
  X(tag21, "21") \
  X(tag22, "22") \
  X(tag23, "23") \
  X(tag24, "24") \
  X(tag25, "25") \
  X(tag26, "26") \
  X(tag27, "27") \
  X(tag28, "28") \
  X(tag29, "29") \
  X(tag30, "30") \
  X(tag31, "31") \
  X(tag32, "32") \
  X(tag33, "33") \
  X(tag34, "34") \
  X(tag35, "35") \
  X(tag36, "36") \
  X(tag37, "37") \
  X(tag38, "38") \
  X(tag39, "39") \
  X(tag40, "40") \
  X(tag41, "41") \
  X(tag42, "42") \
  X(tag43, "43") \
  X(tag44, "44") \
  X(tag45, "45") \
  X(tag46, "46") \
  X(tag47, "47") \
  X(tag48, "48") \
  X(tag49, "49") \
  X(tag50, "50") \
  X(tag51, "51") \
  X(merchantCategoryCode, "52") \
  X(currencyCode, "53") \
  X(transactionAmount, "54") \
  X(tipAndFeeIndicator, "55") \
  X(convenienceFeeAmount, "56") \
  X(convenienceFeePercentage, "57") \
  X(countryCode, "58") \
  X(merchantName, "59") \
  X(cityName, "60") \
  X(postalCode, "61") \
  X(additionalDataFieldTemplate, "62") \
  X(billID, "6201") \
  X(mobileNumber, "6202") \
  X(storeID, "6203") \
  X(loyaltyNumber, "6204") \
  X(referenceID, "6205") \
  X(consumerID, "6206") \
  X(terminalID, "6207") \
  X(purpose, "6208") \
  X(additionalConsumerDataRequest, "6209") \
  X(tagSixtyTwo10, "6210") \
  X(addDataMasterCard1, "6211") \
  X(addDataMasterCard2, "6212") \
  X(addDataNpci1, "6213") \
  X(addDataNpci2, "6214") \
  X(crc, "63") \
  X(merchantInformationLanguageTemplate, "64") \
  X(tag65, "65") \
  X(tag66, "66") \
  X(tag67, "67") \
  X(tag68, "68") \
  X(tag69, "69") \
  X(tag70, "70") \
  X(tag71, "71") \
  X(tag72, "72") \
  X(tag73, "73") \
  X(tag74, "74") \
  X(tag75, "75") \
  X(tag76, "76") \
  X(tag77, "77") \
  X(tag78, "78") \
  X(tag79, "79") \
  X(tag80, "80") \
  X(tag81, "81") \
  X(tag82, "82") \
  X(tag83, "83") \
  X(tag84, "84") \
  X(tag85, "85") \
  X(tag86, "86") \
  X(tag87, "87") \
  X(tag88, "88") \
  X(tag89, "89") \
  X(tag90, "90") \
  X(tag91, "91") \
  X(tag92, "92") \
  X(tag93, "93") \
  X(tag94, "94") \
  X(tag95, "95") \
  X(tag96, "96") \
  X(tag97, "97") \
  X(tag98, "98") \
  X(tag99, "99")

#define ZELTO_MERCHANT_TLV_PROPERTIES(S, M, ID) \
  S(payloadFormatIndicator) \
  S(pointOfInitiation) \
  ID(zeltoMerchantID) \
  S(zeltoMerchantPAN) \
  S(aliasID) \
  S(masterCardPAN1) \
  S(masterCardPAN2) \
  S(npciid1) \
  S(npciid2) \
  S(tag08) \
  S(discover1) \
  S(discover2) \
  S(amex1) \
  S(amex2) \
  S(jcb1) \
  S(jcb2) \
  S(unionPay1) \
  S(unionPay2) \
  S(tag17) \
  S(tag18) \
  S(tag19) \
  S(tag20) \
  S(tag21) \
  S(tag22) \
  S(tag23) \
  S(tag24) \
  S(tag25) \
  M(tag26) \
  M(tag27) \
  M(tag28) \
  M(tag29) \
  M(tag30) \
  M(tag31) \
  M(tag32) \
  M(tag33) \
  M(tag34) \
  M(tag35) \
  M(tag36) \
  M(tag37) \
  M(tag38) \
  M(tag39) \
  M(tag40) \
  M(tag41) \
  M(tag42) \
  M(tag43) \
  M(tag44) \
  M(tag45) \
  M(tag46) \
  M(tag47) \
  M(tag48) \
  M(tag49) \
  M(tag50) \
  M(tag51) \
  S(merchantCategoryCode) \
  S(currencyCode) \
  S(transactionAmount) \
  S(tipAndFeeIndicator) \
  S(convenienceFeeAmount) \
  S(convenienceFeePercentage) \
  S(countryCode) \
  S(merchantName) \
  S(cityName) \
  S(postalCode) \
  S(additionalDataField) \
  M(additionalDataFieldTemplate) \
  S(crc) \
  M(merchantInformationLanguageTemplate) \
  S(tag65) \
  S(tag66) \
  S(tag67) \
  S(tag68) \
  S(tag69) \
  S(tag70) \
  S(tag71) \
  S(tag72) \
  S(tag73) \
  S(tag74) \
  S(tag75) \
  S(tag76) \
  S(tag77) \
  S(tag78) \
  S(tag79) \
  M(tag80) \
  M(tag81) \
  M(tag82) \
  M(tag83) \
  M(tag84) \
  M(tag85) \
  M(tag86) \
  M(tag87) \
  M(tag88) \
  M(tag89) \
  M(tag90) \
  M(tag91) \
  M(tag92) \
  M(tag93) \
  M(tag94) \
  M(tag95) \
  M(tag96) \
  M(tag97) \
  M(tag98) \
  M(tag99) \
  S(primaryID) \
  S(secondaryID) \
  S(billID) \
  S(mobileNumber) \
  S(storeID) \
  S(loyaltyNumber) \
  S(referenceID) \
  S(consumerID) \
  S(terminalID) \
  S(purpose) \
  S(additionalConsumerDataRequest) \
  S(tagSixtyTwo10) \
  S(addDataMasterCard1) \
  S(addDataMasterCard2) \
  S(addDataNpci1) \
  S(addDataNpci2)
// clang-format on

#endif  // ZELTO_PAYLOAD_TAG_LISTS_H_
