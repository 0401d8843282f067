#pragma once

// Identifiers of the localisable string table. The program's own texts keep their historic
// numbers; the framework's messages follow them.
namespace StringId {
enum : int {
    SaveChanges = 65307,     // "Save changes to %s?"
    OverwritePrompt = 65308, // "OK to overwrite %s"
    Untitled = 65309,        // "Untitled"
    Modified = 65310,        // "Modified"
    LineColumn = 65311,      // "Line: %3d   Col: %3d"

    CannotOpenFile = 65400,
    CannotCreateFile,
    FailedToLoadStream,
    FailedToSaveStream,
    NoDefaultPrinter,
    PrinterNotValid,
    PrintingInProgress,
    NotPrinting,
    InvalidInteger,
    AncestorNotFound,
    ResourceNotFound,
    UnableToInsertLine,
    LineInsertionError,
    ConfirmCaption,
    ButtonYes,
    ButtonNo,
    ButtonCancel,
    ButtonOk,
    MenuCopy,
    ApplicationTitle,
    OutOfMemory,
    UnknownFailure,
    ChangedOnDisk,
    RemovedFromDisk,
    RecoverWork,
    LoadingDocument,

    // Names and descriptions for assistive technology.
    AccessibleEditor = 65450,
    AccessibleEditorHint,
    AccessibleRuler,
    AccessibleRulerHint,
    AccessibleFirstIndent,
    AccessibleLeftIndent,
    AccessibleRightIndent,
    AccessibleFontName,
    AccessibleFontNameHint,
    AccessibleFontSize,
    AccessibleFontSizeHint,
    AccessibleBullets,
    AccessibleBulletsHint,
    AccessibleBoldHint,
    AccessibleItalicHint,
    AccessibleUnderlineHint,
    AccessibleAbout,
    AccessibleAboutHint,
    AccessibleWorldTimesHint,
    AccessibleMetricTablesHint,
    AccessibleSelectAllHint,
    AccessibleDeleteHint,
    AccessibleFontDialogHint,
};
}
