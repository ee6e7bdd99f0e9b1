#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace skivra {

// The structures of an ID3v2 tag as this reader takes them apart. Numbers are big-endian;
// "synchsafe" numbers carry 7 bits per byte, but their bytes are taken whole, so a bad
// byte only makes the value larger and it is checked against the data like any other.

struct TMyID3HeaderFlag {
    bool bUnsync = false;
    bool bCompress = false; // ID3v2.2 only
    bool bExtended = false; // ID3v2.3 and later
    bool bExperimental = false;
    bool bFooter = false;
};

struct TMyID3HeaderExtended {
    std::uint32_t iSize = 0;
    std::uint32_t iPaddingSize = 0;
    bool bCrc = false;
    std::uint32_t iCrcData = 0;
};

struct TMyID3Header {
    std::uint8_t iMajor = 0;
    std::uint8_t iRevision = 0;
    std::uint32_t iSize = 0; // of the body after the 10 header bytes
    TMyID3HeaderFlag rFlag;
    TMyID3HeaderExtended rExtended;
};

struct TMyID3FrameStatusFlag {
    bool bDelFromTag = false;
    bool bDelFromFile = false;
    bool bReadOnly = false;
    bool bUnknown = false;
};

struct TMyID3FrameFormatFlag {
    bool bGroup = false;
    std::uint8_t iGroupID = 0;
    bool bCompress = false;
    std::uint32_t iDecompSize = 0;
    bool bEncrypt = false;
    std::uint8_t iEncryptMethod = 0;
    bool bUnsync = false;
    bool bDataLen = false;
    std::uint32_t iDataLen = 0;
    bool bUnknown = false;
};

struct TMyID3Frame {
    std::string sFrameID;
    std::uint8_t iHeaderSize = 0; // 6 or 10, plus the extra fields consumed
    std::uint32_t iSize = 0;      // frame data after the extra fields
    std::uint32_t iReadSize = 0;  // content bytes to decode
    TMyID3FrameStatusFlag rStatusFlag;
    TMyID3FrameFormatFlag rFormatFlag;
};

// The 10-byte tag header; false unless it begins with "ID3".
bool ParseID3Header(std::span<const std::uint8_t> bytes, TMyID3Header& header);

// The position of the first frame after an extended header at the start of the body, and
// the body size less the padding it declares (ID3v2.3). False when the extended header does
// not fit the body.
bool ParseID3ExtendedHeader(std::span<const std::uint8_t> body, TMyID3Header& header,
                            std::uint32_t& iFirstFrame, std::uint32_t& iBodySize);

// The frame header at iPos of the body, by major version. False at the end of the frames:
// a first byte that is neither a digit nor a capital letter (padding), or a header or data
// that does not lie within the body. The extra fields are not taken here.
bool ParseID3FrameHeader(std::uint8_t iMajor, std::span<const std::uint8_t> body,
                         std::uint32_t iPos, TMyID3Frame& frame);

// Takes the extra fields (decompressed size, encryption method, group, data length) from
// the start of the frame data, in the order of the major version, into the frame, adding
// them to iHeaderSize and taking them off iSize. False when they do not fit the data.
bool TakeID3ExtraFields(std::uint8_t iMajor, std::span<const std::uint8_t> data,
                        TMyID3Frame& frame);

} // namespace skivra
