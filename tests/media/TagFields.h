#pragma once

#include "media/myCustomTag.h"

#include <string_view>
#include <utility>

namespace skivra::test {

// Every text of the record by its property name, so that a test can compare all of them.
using TTextGetter = const std::u16string& (TMyCustomTag::*)() const;
inline constexpr std::pair<std::string_view, TTextGetter> kTagTexts[] = {
    {"Version", &TMyCustomTag::Version},
    {"Album", &TMyCustomTag::Album},
    {"AlbumArtist", &TMyCustomTag::AlbumArtist},
    {"Artist", &TMyCustomTag::Artist},
    {"Composer", &TMyCustomTag::Composer},
    {"Conductor", &TMyCustomTag::Conductor},
    {"Director", &TMyCustomTag::Director},
    {"Genre", &TMyCustomTag::Genre},
    {"OriginalAlbum", &TMyCustomTag::OriginalAlbum},
    {"OriginalArtist", &TMyCustomTag::OriginalArtist},
    {"OriginalWriter", &TMyCustomTag::OriginalWriter},
    {"Publisher", &TMyCustomTag::Publisher},
    {"Producer", &TMyCustomTag::Producer},
    {"RecordingDate", &TMyCustomTag::RecordingDate},
    {"ReleaseYear", &TMyCustomTag::ReleaseYear},
    {"Series", &TMyCustomTag::Series},
    {"SetOf", &TMyCustomTag::SetOf},
    {"SubTitle", &TMyCustomTag::SubTitle},
    {"Title", &TMyCustomTag::RawTitle},
    {"Track", &TMyCustomTag::Track},
    {"Translator", &TMyCustomTag::Translator},
    {"Writer", &TMyCustomTag::Writer},
    {"Year", &TMyCustomTag::Year},
    {"UserText", &TMyCustomTag::UserText},
    {"Lylic", &TMyCustomTag::Lylic},
    {"Comment", &TMyCustomTag::Comment},
    {"UserLink", &TMyCustomTag::UserLink},
};

} // namespace skivra::test
