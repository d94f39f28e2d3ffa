#pragma once

#include "filters/RLPDFWriter.h"

#include <QByteArray>
#include <QImage>
#include <unordered_map>
#include <vector>

/// The pictures a PDF document embeds, each written once as an image object and found again by
/// its picture data.
class TRLPDFImageList {
public:
    static constexpr int kNoImage = 0;
    /// A picture whose data does not decode: the page shows an empty frame with a notice.
    static constexpr int kDamagedImage = -1;

    /// The 1-based image number of the tagged picture data, writing its image object when the
    /// picture is new; kNoImage for a picture without pixels, kDamagedImage for data that does
    /// not decode.
    int ImageFor(const QByteArray& data, TRLPDFWriter& writer);
    int Count() const { return int(m_objectNumbers.size()); }
    int ObjectNumber(int image) const { return m_objectNumbers.at(std::size_t(image - 1)); }
    void Clear();

    /// How the pixels are written: None gives the exact file's ASCIIHex rows, Flate raw
    /// compressed bytes.
    TRLStreamFilter Filter = TRLStreamFilter::None;

private:
    struct TEntry {
        QByteArray Data;
        int Image = 0;
    };
    /// Data size to the pictures of that size.
    std::unordered_map<qsizetype, std::vector<TEntry>> m_pictures;
    std::vector<int> m_objectNumbers;
};

/// An RGB image object, with a soft mask when some pixel is not opaque; returns its object
/// number. Uncompressed ASCIIHex rows, or with Flate the bytes compressed.
int WritePdfImageObject(
    TRLPDFWriter& writer, const QImage& picture, TRLStreamFilter filter = TRLStreamFilter::None);
