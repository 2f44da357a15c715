#include "windowmemory.h"

#include "colourmodels.h"
#include "storedcolour.h"

#include <QFileInfo>
#include <QSettings>
#include <QStringList>

namespace {

const QString modelsKey = QStringLiteral("window/models");
const QString stateKey = QStringLiteral("window/state");
constexpr int panelCount = 3;

} // namespace

WindowMemory::WindowMemory()
    : settings(std::make_unique<QSettings>(QStringLiteral("Prismora"), QStringLiteral("prismora")))
{
    const QFileInfo file(settings->fileName());
    // The display settings say so in the status bar and set the file aside; here it is only
    // left alone.
    unreadable = settings->status() != QSettings::NoError
        || (file.exists() && (!file.isFile() || !file.isReadable()));
    if (unreadable)
        return;
    // Saved by key, so that a model added to the registry moves no one's panels.
    const QStringList keys = settings->value(modelsKey).toString().split(QLatin1Char(','));
    QVector<int> models;
    for (const QString &key : keys) {
        const int index = storedModelIndex(key);
        if (index >= 0)
            models.append(index);
    }
    if (models.size() == panelCount && keys.size() == panelCount)
        savedModels = models;
    savedState = QByteArray::fromBase64(settings->value(stateKey).toString().toLatin1());
}

WindowMemory::~WindowMemory() = default;

void WindowMemory::keep(const QVector<int> &models, const QByteArray &state, bool stateTouched)
{
    if (unreadable)
        return;
    bool changed = false;
    const QVector<int> defaults(panelCount, ColourModels::Rgb);
    if (models != (savedModels.isEmpty() ? defaults : savedModels)) {
        QStringList keys;
        for (const int index : models) {
            if (const ColourModels::Model *model = ColourModels::model(index))
                keys.append(QLatin1String(model->key));
        }
        settings->setValue(modelsKey, keys.join(QLatin1Char(',')));
        savedModels = models;
        changed = true;
    }
    if (state != savedState && (stateTouched || !savedState.isEmpty())) {
        settings->setValue(stateKey, QString::fromLatin1(state.toBase64()));
        savedState = state;
        changed = true;
    }
    if (changed)
        settings->sync();
}
