#include "files/SaveTarget.h"
#include <QDir>
#include <QSaveFile>

namespace {

class QSaveFileTarget : public SaveTarget {
public:
    explicit QSaveFileTarget(const QString &path) : m_file(path) {}
    bool open() override { return m_file.open(QIODevice::WriteOnly); }
    QIODevice &device() override { return m_file; }
    bool commit() override { return m_file.commit(); }
    QString errorString() const override { return m_file.errorString(); }

private:
    QSaveFile m_file; // its destructor drops an uncommitted temporary file
};

SaveTargetFactory &InstalledFactory()
{
    static SaveTargetFactory factory;
    return factory;
}

} // namespace

std::unique_ptr<SaveTarget> MakeSaveTarget(const QString &path)
{
    if (const SaveTargetFactory &f = InstalledFactory())
        return f(path);
    return std::make_unique<QSaveFileTarget>(path);
}

SaveTargetOverride::SaveTargetOverride(SaveTargetFactory factory)
    : m_previous(std::exchange(InstalledFactory(), std::move(factory)))
{
}

SaveTargetOverride::~SaveTargetOverride() { InstalledFactory() = std::move(m_previous); }

QString SaveMessages::CannotSave(const QString &path, const QString &reason)
{
    return QStringLiteral("Soubor %1 nelze uložit: %2").arg(QDir::toNativeSeparators(path), reason);
}

void SaveWhole(const QString &path, QByteArrayView bytes)
{
    const std::unique_ptr<SaveTarget> target = MakeSaveTarget(path);
    if (!target->open())
        throw EFileError(SaveMessages::CannotSave(path, target->errorString()));
    if (target->device().write(bytes.data(), bytes.size()) != bytes.size() || !target->commit())
        throw EFileError(SaveMessages::CannotSave(path, target->errorString()));
}
