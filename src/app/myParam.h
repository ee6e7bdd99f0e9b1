#pragma once

#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace skivra {

// One parameter of a command line: an option "/NAME" or "/NAME:VALUE", or a plain
// parameter (the program path, a file name). Names and values compare after upper-casing
// the ASCII letters a to z only (UpperCaseAscii); full-width letters stay as they are.
class TMyParamOption {
public:
    // bMayBeOption is false for a program path, which on this system begins with "/" too.
    TMyParamOption(std::u16string sParam, int iIndex, int iOptionOrdinal, int iUnOptionalOrdinal,
                   bool bMayBeOption = true);

    int Index() const { return FiIndex; }
    int OptionIndex() const { return FiOptionIndex; }
    int UnOptionalIndex() const { return FiUnOptionalIndex; }
    bool IsOption() const { return FbOption; }
    bool IsValueExists() const { return FbOptionValue; }
    const std::u16string& OptionString() const { return FsOptionString; }
    const std::u16string& OptionText() const { return FsOptionUpperString; }
    const std::u16string& ValueString() const { return FsOptionValue; }
    const std::u16string& ValueText() const { return FsOptionUpperValue; }
    const std::u16string& QuoatedValueString() const { return FsQuoatedOptionValue; }
    const std::u16string& QuoatedValueText() const { return FsQuoatedOptionUpperValue; }
    const std::u16string& ParamString() const { return FsParamString; }

    // The value as a decimal integer; 0 when it is not one or does not fit 32 bits.
    int ValueInt() const;
    // The value as a number written with the user's locale; 0 when it is not one.
    double ValueFloat() const;

    bool CompareOption(std::u16string_view sOpt) const;
    bool CompareOption(std::initializer_list<std::u16string_view> opts) const;
    bool CompareValue(std::u16string_view sValue) const;
    bool CompareValue(std::initializer_list<std::u16string_view> values) const;

private:
    int FiIndex;
    int FiOptionIndex;
    int FiUnOptionalIndex;
    bool FbOption = false;
    bool FbOptionValue = false;
    std::u16string FsOptionString;
    std::u16string FsOptionUpperString;
    std::u16string FsOptionValue;
    std::u16string FsOptionUpperValue;
    std::u16string FsQuoatedOptionValue;
    std::u16string FsQuoatedOptionUpperValue;
    std::u16string FsParamString;
};

struct TMyOptionString {
    std::u16string Option;
    std::u16string Value;
    std::u16string UpperOption;
    std::u16string UpperValue;
    std::u16string ParamString;
};

// Splits a command line, or a message text passed between the player and the sub-player,
// into parameters and answers questions about its options.
class TMyParam {
public:
    // From the command line of this process. Its first parameter is the program path and
    // never an option, although a path here begins with "/".
    TMyParam();
    // From a text: a command line, or a message that carries options only.
    explicit TMyParam(std::u16string sText, bool bFirstIsProgramPath = false);

    int Count() const { return static_cast<int>(FParams.size()); }
    int ShiftCount() const { return Count() - 1; }
    int OptCount() const { return FiOptCount; }
    int UnOptCount() const { return FiUnOptCount; }
    const std::vector<std::u16string>& Params() const { return FParams; }
    const std::vector<std::u16string>& ShiftParams() const { return FShiftParams; }
    const std::vector<std::u16string>& UnOptParams() const { return FUnOptParams; }
    const std::u16string& CmdLine() const { return FsCmdLine; }
    const std::u16string& ExeName() const { return FsExeName; }

    // The folder of ExeName with its trailing separator ("/", "\", or ":" completed by "\").
    std::u16string PathName() const;
    // There are no short file names here: the parameter unchanged.
    std::u16string ShortFileName(int iIndex) const { return ParamStr(iIndex); }
    // The command line without its first token.
    std::u16string ShiftCmdLine() const;
    std::u16string MessageText() const { return ShiftCmdLine(); }

    bool OptionExists(std::u16string_view sOpt) const;
    std::u16string ValueString(std::u16string_view sOpt) const;
    std::u16string ValueText(std::u16string_view sOpt) const;
    std::u16string QuoatedValueString(std::u16string_view sOpt) const;
    std::u16string QuoatedValueText(std::u16string_view sOpt) const;
    // The first parameter for the option, or nullptr.
    const TMyParamOption* FindOption(std::u16string_view sOpt) const;

    std::u16string ParamStr(int i) const;
    std::u16string ShiftParamStr(int i) const { return ParamStr(i + 1); }
    // Entry i, options and non-options alike; nullptr outside 0 to Count() - 1.
    const TMyParamOption* OptionParam(int i) const;
    TMyOptionString OptStr(int i) const;
    std::u16string UnOptStr(int i) const;

private:
    std::vector<std::unique_ptr<TMyParamOption>> FOptParams;
    int FiOptCount = 0;
    int FiUnOptCount = 0;
    std::vector<std::u16string> FParams;
    std::vector<std::u16string> FShiftParams;
    std::vector<std::u16string> FUnOptParams;
    std::u16string FsCmdLine;
    std::u16string FsExeName;
};

// Splits a text into parameters (quotes, doubled quotes, blanks) without joining
// "/OPTION:" to the parameter that follows it.
std::vector<std::u16string> SplitCommandLine(std::u16string_view sText);

// The command line of this process, parsed once.
const TMyParam& MyParam();

} // namespace skivra
