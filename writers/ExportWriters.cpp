#include "writers/ExportWriters.h"

#include "writers/BmpWriter.h"
#include "writers/GifWriter.h"
#include "writers/IcnsWriter.h"
#include "writers/IconWriter.h"
#include "writers/PngUnit.h"

TImageWriter ImageWriterFor(TExportFormat Format) {
    switch (Format) {
        case TExportFormat::Bmp:
            return SaveImageAsBmp;
        case TExportFormat::Ico:
            return [](TLoadedIconImage& Image, const TOutputTarget& Target, TColor) {
                SaveImageAsIco(Image, Target);
            };
        case TExportFormat::Gif:
            return SaveImageAsGif;
        case TExportFormat::Png:
            return SaveImageAsPng;
        case TExportFormat::Icns:
            return SaveImageAsIcns;
    }
    return SaveImageAsPng;
}

bool HoldsManyImages(TExportFormat Format) {
    return Format == TExportFormat::Ico || Format == TExportFormat::Icns;
}

TGroupWriter GroupWriterFor(TExportFormat Format) {
    if (Format == TExportFormat::Icns) return WriteIcnsFile;
    return [](const TOutputTarget& Target, const std::vector<TLoadedIconImage*>& Images, TColor) {
        WriteIconFile(Target, Images);
    };
}
