#pragma once
// A file's name taken apart as the whole program takes it: the folder it lies in,
// its own name, its extension and the kind of file that extension announces. Names
// are the system's bytes, folders separated by '/'.
#include <string>
#include <string_view>

// The folder a path lies in: "." for a bare name, "/" for a name right below the root.
std::string FolderOf(const std::string &path);

// The last path component; empty for a path that ends in a slash.
std::string NameOf(const std::string &path);

// The extension as the game's tools see it: from the last dot of the last path
// component on, dot included; empty when that component has no dot.
std::string FileExtension(const std::string &FileName);

// The last path component without its extension.
std::string BaseNameOf(const std::string &path);

enum class TFileKind {
    Text,   // .mfd or .dat: the game's text format
    Raf,    // .raf: the game's record format
    Csv,    // .csv: a spreadsheet
    Txt,    // .txt: some text editor's file, which the opening command turns away
    Other,  // any other extension, the empty one included
};

// The kind an extension (as FileExtension gives it) names, in any letter case.
TFileKind FileKindOfExtension(std::string_view extension);
// The kind the name's whole extension names: .rafx is no record file.
TFileKind FileKindOf(const std::string &fileName);

// A spreadsheet holds no title: a document read from one takes its file's name,
// without the folder and the extension.
std::string TableTitle(const std::string &fileName);
