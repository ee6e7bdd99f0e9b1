#include "media/myID3Frame.h"

#include <type_traits>

namespace skivra {

namespace {

std::uint32_t BigEndian(std::span<const std::uint8_t> bytes) {
    std::uint32_t iValue = 0;
    for (const std::uint8_t b : bytes) {
        iValue = iValue << 8 | b;
    }
    return iValue;
}

std::uint32_t Synchsafe(std::span<const std::uint8_t> bytes) {
    return ((bytes[0] * 128u + bytes[1]) * 128u + bytes[2]) * 128u + bytes[3];
}

bool Bit(std::uint8_t iFlags, int iBit) {
    return (iFlags >> iBit & 1) != 0;
}

bool StartsFrame(std::uint8_t c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z');
}

} // namespace

bool ParseID3Header(std::span<const std::uint8_t> bytes, TMyID3Header& header) {
    if (bytes.size() < 10 || bytes[0] != 'I' || bytes[1] != 'D' || bytes[2] != '3') {
        return false;
    }
    header = TMyID3Header{};
    header.iMajor = bytes[3];
    header.iRevision = bytes[4];
    const std::uint8_t iFlags = bytes[5];
    header.iSize = Synchsafe(bytes.subspan(6, 4));
    header.rFlag.bUnsync = Bit(iFlags, 7);
    if (header.iMajor <= 2) {
        header.rFlag.bCompress = Bit(iFlags, 6);
    } else {
        header.rFlag.bExtended = Bit(iFlags, 6);
        header.rFlag.bExperimental = Bit(iFlags, 5);
        header.rFlag.bFooter = header.iMajor >= 4 && Bit(iFlags, 4);
    }
    return true;
}

bool ParseID3ExtendedHeader(std::span<const std::uint8_t> body, TMyID3Header& header,
                            std::uint32_t& iFirstFrame, std::uint32_t& iBodySize) {
    TMyID3HeaderExtended& extended = header.rExtended;
    if (body.size() < 4) {
        return false;
    }
    extended.iSize = BigEndian(body.first(4));
    if (header.iMajor >= 4) {
        // id3v2.4.0-structure 3.2: the size counts the whole extended header.
        if (extended.iSize > body.size()) {
            return false;
        }
        iFirstFrame = extended.iSize;
        iBodySize = static_cast<std::uint32_t>(body.size());
        return true;
    }
    // id3v2.3.0 3.2: size (excluding itself), flags, padding size, then the optional CRC.
    if (body.size() < 10) {
        return false;
    }
    extended.bCrc = Bit(body[4], 7);
    extended.iPaddingSize = BigEndian(body.subspan(6, 4));
    if (extended.bCrc) {
        if (body.size() < 14) {
            return false;
        }
        extended.iCrcData = BigEndian(body.subspan(10, 4));
    }
    if (extended.iSize > body.size() - 4) {
        return false;
    }
    iFirstFrame = extended.iSize + 4;
    const std::uint32_t iSize = static_cast<std::uint32_t>(body.size());
    iBodySize = extended.iPaddingSize < iSize ? iSize - extended.iPaddingSize : 0;
    return true;
}

bool ParseID3FrameHeader(std::uint8_t iMajor, std::span<const std::uint8_t> body,
                         std::uint32_t iPos, TMyID3Frame& frame) {
    frame = TMyID3Frame{};
    const std::size_t iHeaderSize = iMajor <= 2 ? 6 : 10;
    if (iPos >= body.size() || !StartsFrame(body[iPos]) || iHeaderSize > body.size() - iPos) {
        return false;
    }
    const std::span<const std::uint8_t> header = body.subspan(iPos, iHeaderSize);
    frame.iHeaderSize = static_cast<std::uint8_t>(iHeaderSize);
    if (iMajor <= 2) {
        frame.sFrameID.assign(header.begin(), header.begin() + 3);
        frame.iSize = BigEndian(header.subspan(3, 3));
    } else {
        frame.sFrameID.assign(header.begin(), header.begin() + 4);
        frame.iSize =
            iMajor == 3 ? BigEndian(header.subspan(4, 4)) : Synchsafe(header.subspan(4, 4));
        const std::uint8_t iStatus = header[8];
        const std::uint8_t iFormat = header[9];
        TMyID3FrameStatusFlag& status = frame.rStatusFlag;
        TMyID3FrameFormatFlag& format = frame.rFormatFlag;
        if (iMajor == 3) {
            status = {Bit(iStatus, 7), Bit(iStatus, 6), Bit(iStatus, 5), (iStatus & 0x1F) != 0};
            format.bCompress = Bit(iFormat, 7);
            format.bEncrypt = Bit(iFormat, 6);
            format.bGroup = Bit(iFormat, 5);
            format.bUnknown = (iFormat & 0x1F) != 0;
        } else {
            status = {Bit(iStatus, 6), Bit(iStatus, 5), Bit(iStatus, 4), (iStatus & 0x8F) != 0};
            format.bGroup = Bit(iFormat, 6);
            format.bCompress = Bit(iFormat, 3);
            format.bEncrypt = Bit(iFormat, 2);
            format.bUnsync = Bit(iFormat, 1);
            format.bDataLen = Bit(iFormat, 0);
            format.bUnknown = (iFormat & 0xB0) != 0;
        }
    }
    frame.iReadSize = frame.iSize;
    return frame.iSize <= body.size() - iPos - iHeaderSize;
}

bool TakeID3ExtraFields(std::uint8_t iMajor, std::span<const std::uint8_t> data,
                        TMyID3Frame& frame) {
    TMyID3FrameFormatFlag& format = frame.rFormatFlag;
    std::size_t iTaken = 0;
    // Each field is taken only when the data still holds it.
    const auto take = [&](std::size_t n, auto& field) {
        if (n > data.size() - iTaken) {
            return false;
        }
        field = static_cast<std::remove_reference_t<decltype(field)>>(
            BigEndian(data.subspan(iTaken, n)));
        iTaken += n;
        return true;
    };
    bool bFits = true;
    if (iMajor == 3) {
        bFits = (!format.bCompress || take(4, format.iDecompSize)) &&
                (!format.bEncrypt || take(1, format.iEncryptMethod)) &&
                (!format.bGroup || take(1, format.iGroupID));
    } else if (iMajor >= 4) {
        bFits = (!format.bGroup || take(1, format.iGroupID)) &&
                (!format.bEncrypt || take(1, format.iEncryptMethod)) &&
                (!format.bDataLen || take(4, format.iDataLen));
    }
    if (!bFits) {
        return false;
    }
    frame.iHeaderSize = static_cast<std::uint8_t>(frame.iHeaderSize + iTaken);
    frame.iSize -= static_cast<std::uint32_t>(iTaken);
    frame.iReadSize = static_cast<std::uint32_t>(data.size() - iTaken);
    return true;
}

} // namespace skivra
