#include "writers/ExportWriters.h"

#include "writers/BmpWriter.h"
#include "writers/GifWriter.h"
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
    }
    return SaveImageAsPng;
}
