#include "DovovevoZavUI/TimecodePaste.h"

#include "DovovevoZavCore/TimecodeTransfer.h"

#include <QApplication>
#include <QClipboard>
#include <QMimeData>
#include <QTimer>

namespace dovovevozav {

QString timecodeMimeType() {
    return QString::fromStdString(ContentType::timecode().identifier());
}

std::vector<std::shared_ptr<const ItemProvider>> itemProviders(const QMimeData& data) {
    const auto bytes = [](const QByteArray& array) {
        return std::vector<std::uint8_t>(array.begin(), array.end());
    };
    std::vector<std::shared_ptr<const ItemProvider>> providers;
    if (data.hasFormat(timecodeMimeType())) {
        providers.push_back(std::make_shared<DataItemProvider>(
            ContentType::timecode(), bytes(data.data(timecodeMimeType()))));
    }
    if (data.hasText()) {
        providers.push_back(std::make_shared<DataItemProvider>(ContentType::utf8PlainText(),
                                                               bytes(data.text().toUtf8())));
    }
    return providers;
}

std::vector<std::shared_ptr<const ItemProvider>> clipboardItemProviders() {
    const QMimeData* data = QApplication::clipboard()->mimeData();
    return data != nullptr ? itemProviders(*data)
                           : std::vector<std::shared_ptr<const ItemProvider>>();
}

void performTimecodePaste(std::vector<std::shared_ptr<const ItemProvider>> providers,
                          std::function<std::optional<TimecodePasteAction>()> pasteAction,
                          const TimecodeProperties& properties, const QObject* context) {
    QTimer::singleShot(
        0, context,
        [providers = std::move(providers), pasteAction = std::move(pasteAction), properties] {
            const std::optional<TimecodePasteAction> paste = pasteAction();
            if (!paste || !paste->action) {
                return;
            }
            TimecodePasteResult result = std::exception_ptr();
            try {
                result = TimecodeTransfer::loadTimecode(providers, properties);
            } catch (...) {
                result = std::current_exception();
            }
            paste->action(result);
        });
}

} // namespace dovovevozav
