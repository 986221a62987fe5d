// The text table: loaded per language from the strings file UpdateCfg.plist
// names, applied to every window.
#include "updater/UpdateControl.h"

#include "app/language/SystemLanguages.h"
#include "platform/ns/Bundle.h"
#include "platform/ns/StringsFile.h"
#include "updater/UpdateTextKeys.h"

#include <QFile>

void UpdateControl::LoadLanguage(const QString& code, int type)
{
    const QString language = type == 0 ? SystemLanguages::appleLanguages().value(0) : code;
    if (language == m_CurLang || !m_ConfigDict)
        return;
    const ns::Value& languages = m_ConfigDict->value(QStringLiteral("Language"));
    if (!languages.isDictionary())
        return;
    QString fileName = languages.toDictionary().value(language).stringValue();
    if (fileName.isEmpty())
        fileName = languages.toDictionary().value(QStringLiteral("DEFAULT")).stringValue();
    QFile file(ns::Bundle::mainBundle().resourcePath() + u'/' + fileName);
    if (fileName.isEmpty() || !file.open(QIODevice::ReadOnly))
        return;
    const std::optional<ns::Dictionary> table = ns::StringsFile::parse(QString::fromUtf8(file.readAll()));
    {
        std::lock_guard lock(m_DictLock);
        m_LangDict = table.value_or(ns::Dictionary());
        m_hasLangDict = table.has_value();
    }
    UpdateNibWording();
    m_CurLang = language;
}

QString UpdateControl::MapLangString(const QString& key) const
{
    std::lock_guard lock(m_DictLock);
    if (!m_hasLangDict || !m_LangDict.contains(key))
        return key;
    return m_LangDict.value(key).stringValue();
}

void UpdateControl::UpdateNibWording()
{
    const QString caption = MapLangString(CM_UPDATER_CAPTION_STR);
    for (ns::Window* window : {m_WaitWnd.get(), m_UpdateInfoWnd.get(), m_ModuleSelWnd.get(),
                               m_UpdateWnd.get(), m_ReInsertModemWnd.get()})
        window->setTitle(caption);

    m_WaitOKBtn->setTitle(MapLangString(CM_UPDATER_STR_OK));
    m_InfoCancelBtn->setTitle(MapLangString(CM_UPDATER_STR_CANCEL));
    m_InfoNextBtn->setTitle(MapLangString(CM_UPDATER_STR_NEXT));
    m_UpdateBtn->setTitle(MapLangString(CM_UPDATER_STR_UPDATE));
    m_SelBackBtn->setTitle(MapLangString(CM_UPDATER_STR_BACK));
    m_SelCancelBtn->setTitle(MapLangString(CM_UPDATER_STR_CANCEL));
    m_OKCancelBtn->setTitle(MapLangString(m_UpdateState == 7 ? CM_UPDATER_STR_OK : CM_UPDATER_STR_CANCEL));

    m_DownLoadText->setStringValue(MapLangString(CM_UPDATE_DOWNLOAD_STR));
    m_UpdateFWText->setStringValue(MapLangString(CM_UPDATE_CASTREL_STR));
    m_UpdateUIText->setStringValue(MapLangString(CM_UPDATE_UPDATECM_STR));
    m_UpdateEndText->setStringValue(MapLangString(CM_UPDATE_UPDATEEND_STR));

    m_ModemText->setStringValue(MapLangString(CM_UPDATER_NOTFOUND_DEVICE_STR));
    m_FirmwareCancelBtn->setTitle(MapLangString(CM_UPDATER_STR_CANCEL));
    m_CloseUIText->setStringValue(MapLangString(CM_UPDATE_CLOSEUI_STR));
    m_CloseUIOK->setTitle(MapLangString(CM_UPDATER_STR_OK));
    m_CloseUICancel->setTitle(MapLangString(CM_UPDATER_STR_CANCEL));
    m_MakeSureText->setStringValue(MapLangString(CM_UPDATER_UPDATE_KEEPPOWER_STR));
    m_MakeSureOKBtn->setTitle(MapLangString(CM_UPDATER_STR_OK));
    m_MakeSureCancelBtn->setTitle(MapLangString(CM_UPDATER_STR_CANCEL));
    m_ReInsertModemText->setStringValue(MapLangString(CM_UPDATER_REINSERT_DEVICE_STR));
    m_ReInsertModemOK->setTitle(MapLangString(CM_UPDATER_STR_OK));

    const std::pair<QString, QString> headers[] = {{QStringLiteral("checkstate"), kKindHeaderKey},
                                                   {QStringLiteral("Version"), kVersionHeaderKey},
                                                   {QStringLiteral("Size"), kSizeHeaderKey},
                                                   {QStringLiteral("PriorityFlag"), kPriorityHeaderKey}};
    for (const auto& [identifier, key] : headers)
        m_PackageListView->tableColumnWithIdentifier(identifier)
            ->headerCell()
            ->setStringValue(MapLangString(key));
    m_PackageListView->setNeedsDisplay();
}
