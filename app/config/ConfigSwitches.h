#pragma once

// The plain switches of ConfigService, one row each:
//
//   X(selector, module, key, kind)
//
// An empty module names a top-level entry of the settings; any other module is
// a dictionary of the settings. The kind says how the value is read:
//   Bool    the stored value's boolean; NO when the value or its module is missing
//   Int     its integer value; 0 when missing
//   Stored  the value as stored; null when missing
#define TRELVAN_CONFIG_SWITCHES(X)                                                                           \
    /* Top-level switches */                                                                                 \
    X(readPurchaseProcessList, "", "PurchargeBySMS", Stored)                                                 \
    X(isSkinVersionForZErivad, "", "DifferentWorkingMothodForZerivad", Bool)                                 \
    X(setModemAndSimStateStringWhenR27C, "", "ShowModemAndSimStateBasisDeviceStateWhenR27C", Bool)           \
    X(configDictionaryOfUIAnimation, "", "UIAnimation", Stored)                                              \
    X(readImsiConfig, "", "IMSI2DialConfigIdx", Stored)                                                      \
    X(readDefDialCfgs, "", "AllDefaultDialCfg", Stored)                                                      \
    X(deviceLockForSettingFunction, "", "DeviceLockSettingFunction", Bool)                                   \
    X(isImsiMatchGlobalApn, "", "ImsiMatchGlobalApn", Bool)                                                  \
    X(isAPNMatchWithMCCMNC, "", "APNMatchWithMCCMNC", Bool)                                                  \
    X(isRudaMatchApn, "", "RudaMatchApn", Bool)                                                              \
    X(isImsiMatchApn, "", "ImsiMatchApn", Bool)                                                              \
    X(isSpecialImsiRoam, "", "SpecialImsiRoam", Bool)                                                        \
    X(readEntertainTableConfig, "", "EntertainTabelConfig", Stored)                                          \
    X(readDefaultProfileNum, "", "DefaultProfileNum", Int)                                                   \
    X(readCurrentProfile, "", "ProfileID", Int)                                                              \
    /* Module "Main" */                                                                                      \
    X(isApnWindSheetWindMainChanged_IfJamaicaSkinVersion, "Main",                                            \
      "Main_AddNewApnSheetWhenMainWndChanged_IfJamaicaSkinVersion", Bool)                                    \
    X(isDisplayCheckSimStatus, "Main", "Main_DisplayCheckSIMStatus", Bool)                                   \
    X(isCloseUIIfDeviceRemoved, "Main", "Main_CloseUI_IfDeviceRemoved", Bool)                                \
    X(isFreshStatusViewWhenConnectStatusChanged, "Main", "Main_FreshStatusView_ConnectStatusChanged", Bool)  \
    X(isFreshStatusViewWhenNewSMSArrive, "Main", "Main_FreshStatusView_NewSMSArrive", Bool)                  \
    X(doNotCloseApp, "Main", "Main_MinimizeMainWnd_IfClickCloseButton", Bool)                                \
    X(makeFavoriteIconHintWindowIntoSubviewOfMainWnd, "Main",                                                \
      "Main_addHintWindowIntoMainWnd_IfNeedMoveWithMainWnd", Bool)                                           \
    X(getURLEncryptPattern, "Main", "Main_EncryptURLPattern_IfNeeded", Int)                                  \
    /* Module "MAINFORM" */                                                                                  \
    X(getStartupInfo, "MAINFORM", "StartupWindow", Stored)                                                   \
    /* Module "Init" */                                                                                      \
    X(getMccAndMncData, "Init", "Init_specificMccAndMnc", Stored)                                            \
    X(isDisplayCheckModemStatus, "Init", "Init_DisplayCheckModemStatus", Bool)                               \
    X(showSpnByNewMethod, "Init", "Init_ShowSpnByNewMethod", Bool)                                           \
    X(onlyShowLocalSpnAndHighPriorityThanHomeSpn, "Init",                                                    \
      "Init_OnlyShowLocalSpn_AndHighPriorityThanHomeSpn", Bool)                                              \
    X(readCustomHomeSPNFromConfig, "Init", "Init_changeHomeSPN_IfMatchedSpecialMCCMNC", Stored)              \
    X(isOnlyShowSpnWhenRoamOff, "Init", "Init_OnlyShowBelongtoSpn_WhenRoamOff", Bool)                        \
    X(readCustomSPNFromConfig, "Init", "Init_ChangeAllSPN_IfMatchedSpecialMCCMNC", Stored)                   \
    X(readMCCMNCListFromConfig, "Init", "Init_HideRoamStatus_IfMatchedSpecialMCCMNC", Stored)                \
    /* Module "Internet" */                                                                                  \
    X(isAppingApnInfoForConnectStateWhenConnected, "Internet",                                               \
      "Internet_AppendingApnInfoForConnectStateWhenConnected", Bool)                                         \
    X(isDisplayPhoneNumberForSmart, "Internet", "Internet_IsDisplayPhoneNumber_WhenConnectedOrDisconnected", \
      Bool)                                                                                                  \
    X(isSavedDataToTheTxtFileToMB, "Internet", "Internet_RecordDataUnitWithMB_ifRecordFileSaveTypeIsTxt",    \
      Bool)                                                                                                  \
    X(isDisplayBillboard, "Internet", "Internet_isDisplayBillboard_WhenConnectSuccess", Bool)                \
    X(isNotShowIPAddressWhenDhcpFailed, "Internet", "Internet_doNotDisplayIPAddress_whenDHCPFailed", Bool)   \
    X(getParmsForUploadTestTool, "Internet", "Internet_ParmsForUploadTestTool", Stored)                      \
    X(forbiddenIpv6ApnWhileChooseRas, "Internet", "Internet_ForbiddenIPV6APN_WhileChooseRAS", Bool)          \
    X(isDisplayWordingForConnectBtn, "Internet", "Internet_notDisplayWordingForConnectBtn", Bool)            \
    X(displayTooltipForConnectBtn, "Internet", "Internet_displayTooltipForConnectBtn", Bool)                 \
    X(changeLeftValueOfWordingForConnectBtn, "Internet", "Internet_ChangeLeftValueOfWording_ForConnectBtn",  \
      Bool)                                                                                                  \
    X(getPassWordLimitLen, "Internet", "Internet_setPasswordLenOfAPN", Int)                                  \
    X(getIsCheckEncipher, "Internet", "Internet_isCheckImsiEncipher", Int)                                   \
    X(isDisconnectAsk, "Internet", "PopUpDisconnectWaring", Bool)                                            \
    X(isTransplantCodeToTestApnMatch, "Internet", "Internet_UseTransplantCodeToTestApnMatch", Bool)          \
    /* Module "Setting" */                                                                                   \
    X(setSearchNetListViewApplyBtnEnable, "Setting", "Setting_SetSearchNetListViewApplyBtnEnable", Bool)     \
    X(isSetSearchNetMode2GOnly, "Setting", "Setting_SetSearchNetMode2GOnly_IfChoose3GPref", Bool)            \
    X(isBackupPhoneBookOnly, "Setting", "Setting_BackupAndRestorePhoneBookOnly", Bool)                       \
    X(isSupportSetSMSDefaultStorePosWhenFirstStartUpUI, "Setting",                                           \
      "Setting_SetSMSDefaultStore_WhenFirstStartUpUI", Bool)                                                 \
    X(forbiddenNetCanChooseAndReturnFailedByUI, "Setting",                                                   \
      "Setting_ForbiddenNetCanChooseAndReturnFailedByUI", Bool)                                              \
    X(isRoamingImsiSet, "Setting", "Setting_RoamingImsiSet", Bool)                                           \
    X(isCallBarringSetting, "Setting", "Setting_DoNotReadCallBarSetting_IfNoCallBar", Bool)                  \
    X(specialImsiAndIccidMnc, "Setting", "Setting_SpecialImsiAndIccidMnc", Stored)                           \
    /* Module "SMS" */                                                                                       \
    X(isSupportDeleteSmsAfterSaveSmsOK, "SMS", "Sms_DeleteSavedSms_AfterSaveOK", Bool)                       \
    X(isSupportArrangeSmsOrderStat, "SMS", "Sms_ArrangeSms_OrderStat", Bool)                                 \
    X(isDisplayInboxCountLabelWithUnreadSmsCount, "SMS", "Sms_DisplayUnreadSmsCount_WithInboxCountLabel",    \
      Bool)                                                                                                  \
    X(isCheckPCCompacity, "SMS", "Sms_CheckPCCompacity_IfNeeded", Bool)                                      \
    X(checkIfShowReadStatus, "SMS", "showReadStatus", Bool)                                                  \
    X(getArrayContainsSpeicalNumberAndSpeicalStringToReplace, "SMS", "SpecialNumberToHidden", Stored)        \
    X(checkIfSaveBroadCastAsShortMessage, "SMS", "Sms_SaveBroadCastAsSMS_IfNeeded", Bool)                    \
    X(isSupportCheckSmsIsFlowValueSMS, "SMS", "SMS_CheckSmsIsFlowValueSms_ifNeeded", Bool)                   \
    X(isSupportCheckSmsIsRechargeSMS, "SMS", "SMS_CheckSmsIsRechargeSms_ifNeeded", Bool)                     \
    X(isBackUpPcInBoxListBeforeNewSMSArrive, "SMS", "SMS_BackUpPcInBoxList_BeforeNewSMSArrive", Bool)        \
    X(isGoToSMSPageWhenNewSMSArrives, "SMS", "SMS_GoToSMSPageWhenNewSMSArrives", Bool)                       \
    X(isSupportSetSmsStoreLocWhenClickSavePos, "SMS", "SMS_SetSmsStoreLoc_WhenClickSavePos", Bool)           \
    X(isSupportSetSmsBrowsePosBySmsStoreLoc, "SMS", "SMS_SetSmsBrowsePos_WhenSmsStoreLocChanged", Bool)      \
    X(isSupportSelectSMSDefaultBrowsePosWhenOpenSmsUI, "SMS", "SMS_selectDefaultPos_WhenOpenSMSUI", Bool)    \
    X(readFlowValueSMSJudgeCondition, "SMS", "SMS_FlowValueSMSJudegeConditions", Stored)                     \
    X(isNotShowSMSReportWndWhenHasReportBox, "SMS", "SMS_NotShowSMSReportWnd_WhenHasReportBox", Bool)        \
    X(getNewMessageBtnIsEnabledFromFileWhenSMSInit, "SMS", "SMS_NewMessageBtnIsEnabled_WhenSMSInit", Bool)   \
    X(getNewMessageBtnIsEnabledFromFileWhenNetCardUnDetected, "SMS",                                         \
      "SMS_NewMessageBtnIsEnabled_WhenNetCardUnDetected", Bool)                                              \
    X(isShowSendInfoWndWhenSendSMSFailOnBackGround, "SMS",                                                   \
      "SMS_ShowSendInfoWnd_WhenSendSMSFailOnBackGround", Bool)                                               \
    X(isSendUnreadRechargeSMSToUSSD, "SMS", "SMS_SendUnreadRechargeSMSToUSSD_IfNeeded", Bool)                \
    X(isNotShowNewSMSWndWithCertainContent, "SMS", "NoShowNewSMSWndWithCertainContent", Bool)                \
    X(readSpecialSMSConfig, "SMS", "SpecialSMS", Stored)                                                     \
    X(notDisplayWordingForNewBtn, "SMS", "SMS_notDisplayWordingForNewBtn", Bool)                             \
    /* Module "USSD" */                                                                                      \
    X(checkIfUSSDEncodeAndDecodeTypeIsGSM7, "USSD", "Ussd_codeTheSendStringWithGSM7_IfUssdModeIsOne", Bool)  \
    X(isEnableToolbarForZAzuva, "USSD", "DisableUSSDToolbarForZErivad", Bool)                                \
    X(whetherEnableToolbarBasesMatching, "USSD", "USSD_WhetherEnableToolbarBasesMatching", Bool)             \
    X(selectAppointUssdTabView, "USSD", "USSD_SelectAppointTabView", Bool)                                   \
    X(getServerNumberWhenRechargeByUSSD, "USSD", "USSD_ServerNumber_WhenRecharge", Stored)                   \
    /* Module "PhoneBook" */                                                                                 \
    X(getCheckUserInformationLen, "PhoneBook", "PhoneBook_IsCheckUserInformationLen", Bool)                  \
    X(getUserEmailLen, "PhoneBook", "PhoneBook_UserEmailLen", Int)                                           \
    X(getUserHomePhoneLen, "PhoneBook", "PhoneBook_UserHomePhoneLen", Int)                                   \
    X(getUserMobilePhoneLen, "PhoneBook", "PhoneBook_UserMobilePhoneLen", Int)                               \
    X(getUserNameLen, "PhoneBook", "PhoneBook_UserNameLen", Int)                                             \
    X(getUserOfficePhoneNumLen, "PhoneBook", "PhoneBook_UserOfficePhoneLen", Int)                            \
    X(isDisplayEditGroupBtn, "PhoneBook", "PhoneBook_isDisplayEditGroupBtn_IfNeedDisplayInSIM", Bool)        \
    X(isPopupDialog, "PhoneBook", "PhoneBook_PopUpSelectAlertWnd_IfCopyToSim", Bool)                         \
    X(isSupportCaseSensitiveWhenSearch, "PhoneBook", "PhoneBook_caseSensitive_WhenSearch", Bool)             \
    /* Module "Call" */                                                                                      \
    X(isGoToCallViewWhenIncoming, "Call", "Call_IncomingCallOKClickedGoToCallView", Bool)                    \
    X(readDisplayInTheInputBoxSpecialPhoneNum, "Call", "Call_SpecialPhoneNumberNeedDisplayInTheInputBox",    \
      Stored)
