#include "toolkit/PlacementSettings.h"

#include <QGuiApplication>
#include <QScreen>
#include <QSettings>
#include <QStringList>
#include <QWidget>
#include <optional>

#include "toolkit/SettingsStore.h"
#include "toolkit/WindowPlacement.h"

namespace {

const QString kFlags = QStringLiteral("Flags");
const QString kShowCmd = QStringLiteral("ShowCmd");
const QString kPixelsPerInch = QStringLiteral("PixelsPerInch");
const QString kMinMaxPos = QStringLiteral("MinMaxPos");
const QString kNormPos = QStringLiteral("NormPos");
const QString kVisible = QStringLiteral("Visible");

// The name of a position value written on a screen of the current size, "NormPos(1024x768)".
QString SizedName(const QString& name, const TScreenMetrics& screen) {
    return QStringLiteral("%1(%2x%3)").arg(name).arg(screen.Width).arg(screen.Height);
}

QString FormatNumbers(const TPlacementNumbers& numbers) {
    return QStringLiteral("%1,%2,%3,%4")
        .arg(numbers[0])
        .arg(numbers[1])
        .arg(numbers[2])
        .arg(numbers[3]);
}

// Comma-separated numbers; a missing or non-numeric one keeps the default at its place.
TPlacementNumbers ParseNumbers(const QString& text, TPlacementNumbers numbers) {
    const QStringList words = text.split(u',');
    for (qsizetype i = 0; i < words.size() && i < qsizetype(numbers.size()); ++i) {
        bool ok = false;
        const int value = words[i].trimmed().toInt(&ok, 10);
        if (ok) numbers[i] = value;
    }
    return numbers;
}

// A position value: the one named for the current screen size, or the plain one when that is
// missing or empty; nothing when neither exists.
std::optional<QString> PositionText(const QSettings& settings, const QString& name,
                                    const TScreenMetrics& screen) {
    const QString sized = SizedName(name, screen);
    if (settings.contains(sized)) {
        const QString text = ReadSettingText(settings, sized).trimmed();
        if (!text.isEmpty()) return text;
    }
    if (settings.contains(name)) return ReadSettingText(settings, name).trimmed();
    return std::nullopt;
}

void WritePosition(QSettings& settings, const QString& name, const TPlacementNumbers& numbers,
                   const TScreenMetrics& screen) {
    const QString text = FormatNumbers(numbers);
    settings.setValue(name, text);
    settings.setValue(SizedName(name, screen), text);
}

}  // namespace

TScreenMetrics CurrentScreenMetrics() {
    TScreenMetrics metrics;
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        metrics.Width = screen->size().width();
        metrics.Height = screen->size().height();
        metrics.PixelsPerInch = qRound(screen->logicalDotsPerInch());
    }
    return metrics;
}

void WritePlacement(QSettings& settings, const QWidget& window, bool destroying) {
    const TScreenMetrics screen = CurrentScreenMetrics();
    const TWindowPlacement placement = CapturePlacement(window);
    settings.setValue(kFlags, QString::number(placement.Flags));
    settings.setValue(kShowCmd, QString::number(placement.ShowCmd));
    settings.setValue(kPixelsPerInch, QString::number(screen.PixelsPerInch));
    WritePosition(settings, kMinMaxPos, placement.MinMaxPos, screen);
    WritePosition(settings, kNormPos, placement.NormPos, screen);
    settings.setValue(kVisible, destroying ? QStringLiteral("1") : QStringLiteral("0"));
}

void RestorePlacement(const QSettings& settings, QWidget& window) {
    const TScreenMetrics screen = CurrentScreenMetrics();
    const int flags = ReadSettingNumber(settings, kFlags, 0);
    const bool minMaxStored = PositionText(settings, kMinMaxPos, screen).has_value();
    const std::optional<QString> normText = PositionText(settings, kNormPos, screen);
    const int pixelsPerInch = ReadSettingNumber(settings, kPixelsPerInch, screen.PixelsPerInch);
    if ((minMaxStored || normText) && pixelsPerInch == screen.PixelsPerInch) {
        const TPlacementNumbers current = CapturePlacement(window).NormPos;
        ApplyNormalRect(window, ParseNumbers(normText.value_or(QString()), current));
    }
    ApplyShowCmd(window, ReadSettingNumber(settings, kShowCmd, 0), flags);
}
