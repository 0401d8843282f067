<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>StringTable</name>
    <message>
        <source>Save changes to %s?</source>
        <comment>65307</comment>
        <extracomment>String 65307 of the program&apos;s messages. Keep every %s (a name) and %d (a number, %3d: in three columns) in the same order.</extracomment>
        <translation>Änderungen an %s speichern?</translation>
    </message>
    <message>
        <source>OK to overwrite %s</source>
        <comment>65308</comment>
        <extracomment>String 65308 of the program&apos;s messages. Keep every %s (a name) and %d (a number, %3d: in three columns) in the same order.</extracomment>
        <translation>%s überschreiben?</translation>
    </message>
    <message>
        <source>Untitled</source>
        <comment>65309</comment>
        <extracomment>String 65309 of the program&apos;s messages.</extracomment>
        <translation>Unbenannt</translation>
    </message>
    <message>
        <source>Modified</source>
        <comment>65310</comment>
        <extracomment>String 65310 of the program&apos;s messages.</extracomment>
        <translation>Geändert</translation>
    </message>
    <message>
        <source>Line: %3d   Col: %3d</source>
        <comment>65311</comment>
        <extracomment>String 65311 of the program&apos;s messages. Keep every %s (a name) and %d (a number, %3d: in three columns) in the same order.</extracomment>
        <translation>Zeile: %3d   Spalte: %3d</translation>
    </message>
    <message>
        <source>Cannot open file %s</source>
        <comment>65400</comment>
        <extracomment>String 65400 of the program&apos;s messages. Keep every %s (a name) and %d (a number, %3d: in three columns) in the same order.</extracomment>
        <translation>Die Datei %s kann nicht geöffnet werden</translation>
    </message>
    <message>
        <source>Cannot create file %s</source>
        <comment>65401</comment>
        <extracomment>String 65401 of the program&apos;s messages. Keep every %s (a name) and %d (a number, %3d: in three columns) in the same order.</extracomment>
        <translation>Die Datei %s kann nicht angelegt werden</translation>
    </message>
    <message>
        <source>Failed to Load Stream</source>
        <comment>65402</comment>
        <extracomment>String 65402 of the program&apos;s messages.</extracomment>
        <translation>Der Datenstrom kann nicht geladen werden</translation>
    </message>
    <message>
        <source>Failed to Save Stream</source>
        <comment>65403</comment>
        <extracomment>String 65403 of the program&apos;s messages.</extracomment>
        <translation>Der Datenstrom kann nicht gespeichert werden</translation>
    </message>
    <message>
        <source>There is no default printer currently selected</source>
        <comment>65404</comment>
        <extracomment>String 65404 of the program&apos;s messages.</extracomment>
        <translation>Es ist kein Standarddrucker ausgewählt</translation>
    </message>
    <message>
        <source>Printer selected is not valid</source>
        <comment>65405</comment>
        <extracomment>String 65405 of the program&apos;s messages.</extracomment>
        <translation>Der ausgewählte Drucker ist ungültig</translation>
    </message>
    <message>
        <source>Printing in progress</source>
        <comment>65406</comment>
        <extracomment>String 65406 of the program&apos;s messages.</extracomment>
        <translation>Es wird bereits gedruckt</translation>
    </message>
    <message>
        <source>Printer is not currently printing</source>
        <comment>65407</comment>
        <extracomment>String 65407 of the program&apos;s messages.</extracomment>
        <translation>Der Drucker druckt gerade nicht</translation>
    </message>
    <message>
        <source>&apos;%s&apos; is not a valid integer value</source>
        <comment>65408</comment>
        <extracomment>String 65408 of the program&apos;s messages. Keep every %s (a name) and %d (a number, %3d: in three columns) in the same order.</extracomment>
        <translation>„%s“ ist keine gültige ganze Zahl</translation>
    </message>
    <message>
        <source>Ancestor for &apos;%s&apos; not found</source>
        <comment>65409</comment>
        <extracomment>String 65409 of the program&apos;s messages. Keep every %s (a name) and %d (a number, %3d: in three columns) in the same order.</extracomment>
        <translation>Vorfahr für „%s“ nicht gefunden</translation>
    </message>
    <message>
        <source>Resource %s not found</source>
        <comment>65410</comment>
        <extracomment>String 65410 of the program&apos;s messages. Keep every %s (a name) and %d (a number, %3d: in three columns) in the same order.</extracomment>
        <translation>Ressource %s nicht gefunden</translation>
    </message>
    <message>
        <source>Unable to insert a line</source>
        <comment>65411</comment>
        <extracomment>String 65411 of the program&apos;s messages.</extracomment>
        <translation>Es kann keine Zeile eingefügt werden</translation>
    </message>
    <message>
        <source>RichEdit line insertion error</source>
        <comment>65412</comment>
        <extracomment>String 65412 of the program&apos;s messages.</extracomment>
        <translation>Fehler beim Einfügen einer Zeile in den Text</translation>
    </message>
    <message>
        <source>Confirm</source>
        <comment>65413</comment>
        <extracomment>String 65413 of the program&apos;s messages.</extracomment>
        <translation>Bestätigen</translation>
    </message>
    <message>
        <source>&amp;Yes</source>
        <comment>65414</comment>
        <extracomment>String 65414 of the program&apos;s messages. &apos;&amp;&apos; marks the letter of the button&apos;s keyboard access.</extracomment>
        <translation>&amp;Ja</translation>
    </message>
    <message>
        <source>&amp;No</source>
        <comment>65415</comment>
        <extracomment>String 65415 of the program&apos;s messages. &apos;&amp;&apos; marks the letter of the button&apos;s keyboard access.</extracomment>
        <translation>&amp;Nein</translation>
    </message>
    <message>
        <source>Cancel</source>
        <comment>65416</comment>
        <extracomment>String 65416 of the program&apos;s messages.</extracomment>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>OK</source>
        <comment>65417</comment>
        <extracomment>String 65417 of the program&apos;s messages.</extracomment>
        <translation>OK</translation>
    </message>
    <message>
        <source>Copy</source>
        <comment>65418</comment>
        <extracomment>String 65418 of the program&apos;s messages.</extracomment>
        <translation>Kopieren</translation>
    </message>
    <message>
        <source>LumaroStyle Notepad</source>
        <comment>65419</comment>
        <extracomment>String 65419 of the program&apos;s messages.</extracomment>
        <translation>LumaroStyle Notepad</translation>
    </message>
    <message>
        <source>Out of memory</source>
        <comment>65420</comment>
        <extracomment>String 65420 of the program&apos;s messages.</extracomment>
        <translation>Nicht genügend Arbeitsspeicher</translation>
    </message>
    <message>
        <source>Unknown failure</source>
        <comment>65421</comment>
        <extracomment>String 65421 of the program&apos;s messages.</extracomment>
        <translation>Unbekannter Fehler</translation>
    </message>
    <message>
        <source>%s has been changed by another program since it was opened or saved. Overwrite it?</source>
        <comment>65422</comment>
        <extracomment>String 65422 of the program&apos;s messages.</extracomment>
        <translation>%s wurde seit dem Öffnen oder Speichern von einem anderen Programm geändert. Überschreiben?</translation>
    </message>
    <message>
        <source>%s has been removed or renamed by another program since it was opened or saved. Save it again?</source>
        <comment>65423</comment>
        <extracomment>String 65423 of the program&apos;s messages.</extracomment>
        <translation>%s wurde seit dem Öffnen oder Speichern von einem anderen Programm entfernt oder umbenannt. Erneut speichern?</translation>
    </message>
    <message>
        <source>Recover the unsaved changes to %s from %s?</source>
        <comment>65424</comment>
        <extracomment>String 65424 of the program&apos;s messages.</extracomment>
        <translation>Die nicht gespeicherten Änderungen an %s vom %s wiederherstellen?</translation>
    </message>
    <message>
        <source>Loading %s: %d%%   (Esc cancels)</source>
        <comment>65425</comment>
        <extracomment>String 65425 of the program&apos;s messages.</extracomment>
        <translation>%s wird geladen: %d%%   (Esc bricht ab)</translation>
    </message>
    <message>
        <source>Document</source>
        <comment>65450</comment>
        <extracomment>String 65450 of the program&apos;s messages.</extracomment>
        <translation>Dokument</translation>
    </message>
    <message>
        <source>The text of the document</source>
        <comment>65451</comment>
        <extracomment>String 65451 of the program&apos;s messages.</extracomment>
        <translation>Der Text des Dokuments</translation>
    </message>
    <message>
        <source>Ruler</source>
        <comment>65452</comment>
        <extracomment>String 65452 of the program&apos;s messages.</extracomment>
        <translation>Lineal</translation>
    </message>
    <message>
        <source>The indents of the paragraph: drag the markers to change them</source>
        <comment>65453</comment>
        <extracomment>String 65453 of the program&apos;s messages.</extracomment>
        <translation>Die Einzüge des Absatzes: zum Ändern die Marken ziehen</translation>
    </message>
    <message>
        <source>First-line indent</source>
        <comment>65454</comment>
        <extracomment>String 65454 of the program&apos;s messages.</extracomment>
        <translation>Erstzeileneinzug</translation>
    </message>
    <message>
        <source>Left indent</source>
        <comment>65455</comment>
        <extracomment>String 65455 of the program&apos;s messages.</extracomment>
        <translation>Linker Einzug</translation>
    </message>
    <message>
        <source>Right indent</source>
        <comment>65456</comment>
        <extracomment>String 65456 of the program&apos;s messages.</extracomment>
        <translation>Rechter Einzug</translation>
    </message>
    <message>
        <source>Font name</source>
        <comment>65457</comment>
        <extracomment>String 65457 of the program&apos;s messages.</extracomment>
        <translation>Schriftart</translation>
    </message>
    <message>
        <source>The face of the selected text</source>
        <comment>65458</comment>
        <extracomment>String 65458 of the program&apos;s messages.</extracomment>
        <translation>Die Schriftart des markierten Textes</translation>
    </message>
    <message>
        <source>Font size</source>
        <comment>65459</comment>
        <extracomment>String 65459 of the program&apos;s messages.</extracomment>
        <translation>Schriftgröße</translation>
    </message>
    <message>
        <source>The size of the selected text in points</source>
        <comment>65460</comment>
        <extracomment>String 65460 of the program&apos;s messages.</extracomment>
        <translation>Die Größe des markierten Textes in Punkt</translation>
    </message>
    <message>
        <source>Bullets</source>
        <comment>65461</comment>
        <extracomment>String 65461 of the program&apos;s messages.</extracomment>
        <translation>Aufzählungszeichen</translation>
    </message>
    <message>
        <source>Bulleted paragraphs</source>
        <comment>65462</comment>
        <extracomment>String 65462 of the program&apos;s messages.</extracomment>
        <translation>Absätze mit Aufzählungszeichen</translation>
    </message>
    <message>
        <source>Bold characters (Ctrl+B)</source>
        <comment>65463</comment>
        <extracomment>String 65463 of the program&apos;s messages.</extracomment>
        <translation>Fette Zeichen (Strg+B)</translation>
    </message>
    <message>
        <source>Italic characters (Ctrl+I)</source>
        <comment>65464</comment>
        <extracomment>String 65464 of the program&apos;s messages.</extracomment>
        <translation>Kursive Zeichen (Strg+I)</translation>
    </message>
    <message>
        <source>Underlined characters (Ctrl+U)</source>
        <comment>65465</comment>
        <extracomment>String 65465 of the program&apos;s messages.</extracomment>
        <translation>Unterstrichene Zeichen (Strg+U)</translation>
    </message>
    <message>
        <source>About</source>
        <comment>65466</comment>
        <extracomment>String 65466 of the program&apos;s messages.</extracomment>
        <translation>Info</translation>
    </message>
    <message>
        <source>About LumaroStyle Notepad</source>
        <comment>65467</comment>
        <extracomment>String 65467 of the program&apos;s messages.</extracomment>
        <translation>Über LumaroStyle Notepad</translation>
    </message>
    <message>
        <source>The local times of the world&apos;s cities</source>
        <comment>65468</comment>
        <extracomment>String 65468 of the program&apos;s messages.</extracomment>
        <translation>Die Ortszeiten der Städte der Welt</translation>
    </message>
    <message>
        <source>The metric conversion tables</source>
        <comment>65469</comment>
        <extracomment>String 65469 of the program&apos;s messages.</extracomment>
        <translation>Die metrischen Umrechnungstabellen</translation>
    </message>
    <message>
        <source>Select the whole document</source>
        <comment>65470</comment>
        <extracomment>String 65470 of the program&apos;s messages.</extracomment>
        <translation>Das ganze Dokument markieren</translation>
    </message>
    <message>
        <source>Delete the selected text</source>
        <comment>65471</comment>
        <extracomment>String 65471 of the program&apos;s messages.</extracomment>
        <translation>Den markierten Text löschen</translation>
    </message>
    <message>
        <source>Choose the font of the selected text</source>
        <comment>65472</comment>
        <extracomment>String 65472 of the program&apos;s messages.</extracomment>
        <translation>Die Schriftart des markierten Textes wählen</translation>
    </message>
</context>
<context>
    <name>TAboutBox</name>
    <message>
        <source>About This Program</source>
        <comment>AboutBox.Caption</comment>
        <extracomment>TAboutBox AboutBox, 292 x 138 pixels: the window&apos;s title.</extracomment>
        <translation>Über dieses Programm</translation>
    </message>
    <message>
        <source>Homepage</source>
        <comment>UrlLabel1.Caption</comment>
        <extracomment>TUrlLabel UrlLabel1, 64 x 13 pixels: the text must fit in this width; prefer a shorter wording to a cut one.</extracomment>
        <translation>Webseite</translation>
    </message>
</context>
<context>
    <name>TForm1</name>
    <message>
        <source> World Times</source>
        <comment>Form1.Caption</comment>
        <extracomment>TForm1 Form1, 303 x 428 pixels: the window&apos;s title.</extracomment>
        <translation> Weltzeiten</translation>
    </message>
    <message>
        <source>The following times are as at 12 noon, Greenwich Mean Time</source>
        <comment>Label1.Caption</comment>
        <extracomment>TLabel Label1, 289 x 13 pixels: the text must fit in this width; prefer a shorter wording to a cut one.</extracomment>
        <translation>Die Zeiten gelten für 12 Uhr mittags Greenwich-Zeit</translation>
    </message>
    <message>
        <source>The following times are as at 12 noon, Greenwich Mean Time</source>
        <comment>Label3.Caption</comment>
        <extracomment>TLabel Label3, 289 x 13 pixels: the text must fit in this width; prefer a shorter wording to a cut one.</extracomment>
        <translation>Die Zeiten gelten für 12 Uhr mittags Greenwich-Zeit</translation>
    </message>
</context>
<context>
    <name>TForm2</name>
    <message>
        <source> Metric  Conversion  Tables</source>
        <comment>Form2.Caption</comment>
        <extracomment>TForm2 Form2, 421 x 392 pixels: the window&apos;s title.</extracomment>
        <translation> Metrische  Umrechnungstabellen</translation>
    </message>
    <message>
        <source>L e n g h t</source>
        <comment>LenghtSheet.Caption</comment>
        <extracomment>TTabSheet LenghtSheet.</extracomment>
        <translation>L ä n g e</translation>
    </message>
    <message>
        <source>A r e a</source>
        <comment>AreaSheet.Caption</comment>
        <extracomment>TTabSheet AreaSheet.</extracomment>
        <translation>F l ä c h e</translation>
    </message>
    <message>
        <source>Mass/ Weight/ Speed</source>
        <comment>MassSheet.Caption</comment>
        <extracomment>TTabSheet MassSheet.</extracomment>
        <translation>Masse/ Gewicht/ Geschwindigkeit</translation>
    </message>
    <message>
        <source>V o l u m e (1)</source>
        <comment>VolumeSheet.Caption</comment>
        <extracomment>TTabSheet VolumeSheet.</extracomment>
        <translation>V o l u m e n (1)</translation>
    </message>
    <message>
        <source>Volume(2) / Temperature</source>
        <comment>TemprSheet.Caption</comment>
        <extracomment>TTabSheet TemprSheet.</extracomment>
        <translation>Volumen(2) / Temperatur</translation>
    </message>
</context>
<context>
    <name>TMainForm</name>
    <message>
        <source>LumaroStyle Notepad</source>
        <comment>MainForm.Caption</comment>
        <extracomment>TMainForm MainForm, 800 x 552 pixels: the window&apos;s title.</extracomment>
        <translation>LumaroStyle Notepad</translation>
    </message>
    <message>
        <source>Delete Selected</source>
        <comment>LumaroLButton11.Hint</comment>
        <extracomment>TLumaroLButton LumaroLButton11, 47 x 31 pixels: its tooltip.</extracomment>
        <translation>Markierung löschen</translation>
    </message>
    <message>
        <source>Select All</source>
        <comment>LumaroLButton13.Hint</comment>
        <extracomment>TLumaroLButton LumaroLButton13, 48 x 32 pixels: its tooltip.</extracomment>
        <translation>Alles markieren</translation>
    </message>
    <message>
        <source>Bold</source>
        <comment>Image3.Hint</comment>
        <extracomment>TImage Image3, 32 x 22 pixels: its tooltip.</extracomment>
        <translation>Fett</translation>
    </message>
    <message>
        <source>Underline</source>
        <comment>Image4.Hint</comment>
        <extracomment>TImage Image4, 31 x 21 pixels: its tooltip.</extracomment>
        <translation>Unterstrichen</translation>
    </message>
    <message>
        <source>Italic</source>
        <comment>Image5.Hint</comment>
        <extracomment>TImage Image5, 32 x 22 pixels: its tooltip.</extracomment>
        <translation>Kursiv</translation>
    </message>
    <message>
        <source>World Times</source>
        <comment>LumaroLButton14.Hint</comment>
        <extracomment>TLumaroLButton LumaroLButton14, 47 x 33 pixels: its tooltip.</extracomment>
        <translation>Weltzeiten</translation>
    </message>
    <message>
        <source>Metric Tables</source>
        <comment>LumaroLButton15.Hint</comment>
        <extracomment>TLumaroLButton LumaroLButton15, 45 x 32 pixels: its tooltip.</extracomment>
        <translation>Umrechnungstabellen</translation>
    </message>
    <message>
        <source>All Files|*.*|*.txt|*.TXT|*.rtf|*.RTF|*.ini|*.INI|*.dat|*.DAT|*.me|*.me|*.!!!|*.!!!|*.1st|*.1st|*.tmp|*.tmp|*.qtw|*.qtw|*.reg|*.reg</source>
        <comment>OpenDialog.Filter</comment>
        <extracomment>TOpenDialog OpenDialog: the file types offered, as pairs &apos;description|pattern|description|pattern&apos;. Translate the descriptions only; keep every &apos;|&apos; and every pattern.</extracomment>
        <translation>Alle Dateien|*.*|*.txt|*.TXT|*.rtf|*.RTF|*.ini|*.INI|*.dat|*.DAT|*.me|*.me|*.!!!|*.!!!|*.1st|*.1st|*.tmp|*.tmp|*.qtw|*.qtw|*.reg|*.reg</translation>
    </message>
    <message>
        <source>Text</source>
        <comment>SaveDialog.FileName</comment>
        <extracomment>TSaveDialog SaveDialog: the file name the save dialog proposes.</extracomment>
        <translation>Text</translation>
    </message>
    <message>
        <source>&amp;New</source>
        <comment>FileNewCmd.Caption</comment>
        <extracomment>TAction FileNewCmd: a command&apos;s name; &apos;&amp;&apos; marks the letter of its keyboard access.</extracomment>
        <translation>&amp;Neu</translation>
    </message>
    <message>
        <source>Create a new file</source>
        <comment>FileNewCmd.Hint</comment>
        <extracomment>TAction FileNewCmd: its tooltip.</extracomment>
        <translation>Neue Datei erstellen</translation>
    </message>
    <message>
        <source>&amp;Open...</source>
        <comment>FileOpenCmd.Caption</comment>
        <extracomment>TAction FileOpenCmd: a command&apos;s name; &apos;&amp;&apos; marks the letter of its keyboard access.</extracomment>
        <translation>Ö&amp;ffnen…</translation>
    </message>
    <message>
        <source>Open an existing file</source>
        <comment>FileOpenCmd.Hint</comment>
        <extracomment>TAction FileOpenCmd: its tooltip.</extracomment>
        <translation>Vorhandene Datei öffnen</translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <comment>FileSaveCmd.Caption</comment>
        <extracomment>TAction FileSaveCmd: a command&apos;s name; &apos;&amp;&apos; marks the letter of its keyboard access.</extracomment>
        <translation>&amp;Speichern</translation>
    </message>
    <message>
        <source>Save current file</source>
        <comment>FileSaveCmd.Hint</comment>
        <extracomment>TAction FileSaveCmd: its tooltip.</extracomment>
        <translation>Aktuelle Datei speichern</translation>
    </message>
    <message>
        <source>&amp;Print</source>
        <comment>FilePrintCmd.Caption</comment>
        <extracomment>TAction FilePrintCmd: a command&apos;s name; &apos;&amp;&apos; marks the letter of its keyboard access.</extracomment>
        <translation>&amp;Drucken</translation>
    </message>
    <message>
        <source>Print current file</source>
        <comment>FilePrintCmd.Hint</comment>
        <extracomment>TAction FilePrintCmd: its tooltip.</extracomment>
        <translation>Aktuelle Datei drucken</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <comment>FileExitCmd.Caption</comment>
        <extracomment>TAction FileExitCmd: a command&apos;s name; &apos;&amp;&apos; marks the letter of its keyboard access.</extracomment>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>Exit this application</source>
        <comment>FileExitCmd.Hint</comment>
        <extracomment>TAction FileExitCmd: its tooltip.</extracomment>
        <translation>Programm beenden</translation>
    </message>
    <message>
        <source>Save &amp;As...</source>
        <comment>FileSaveAsCmd.Caption</comment>
        <extracomment>TAction FileSaveAsCmd: a command&apos;s name; &apos;&amp;&apos; marks the letter of its keyboard access.</extracomment>
        <translation>Speichern &amp;unter…</translation>
    </message>
    <message>
        <source>Save current file under a new name</source>
        <comment>FileSaveAsCmd.Hint</comment>
        <extracomment>TAction FileSaveAsCmd: its tooltip.</extracomment>
        <translation>Aktuelle Datei unter neuem Namen speichern</translation>
    </message>
    <message>
        <source>&amp;Undo</source>
        <comment>EditUndoCmd.Caption</comment>
        <extracomment>TAction EditUndoCmd: a command&apos;s name; &apos;&amp;&apos; marks the letter of its keyboard access.</extracomment>
        <translation>&amp;Rückgängig</translation>
    </message>
    <message>
        <source>Undo the last action</source>
        <comment>EditUndoCmd.Hint</comment>
        <extracomment>TAction EditUndoCmd: its tooltip.</extracomment>
        <translation>Letzte Aktion rückgängig machen</translation>
    </message>
    <message>
        <source>Cu&amp;t</source>
        <comment>EditCutCmd.Caption</comment>
        <extracomment>TAction EditCutCmd: a command&apos;s name; &apos;&amp;&apos; marks the letter of its keyboard access.</extracomment>
        <translation>&amp;Ausschneiden</translation>
    </message>
    <message>
        <source>Delete selected item</source>
        <comment>EditCutCmd.Hint</comment>
        <extracomment>TAction EditCutCmd: its tooltip.</extracomment>
        <translation>Markiertes Element löschen</translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <comment>EditCopyCmd.Caption</comment>
        <extracomment>TAction EditCopyCmd: a command&apos;s name; &apos;&amp;&apos; marks the letter of its keyboard access.</extracomment>
        <translation>&amp;Kopieren</translation>
    </message>
    <message>
        <source>Copy selected item to clipboard</source>
        <comment>EditCopyCmd.Hint</comment>
        <extracomment>TAction EditCopyCmd: its tooltip.</extracomment>
        <translation>Markiertes Element in die Zwischenablage kopieren</translation>
    </message>
    <message>
        <source>&amp;Paste</source>
        <comment>EditPasteCmd.Caption</comment>
        <extracomment>TAction EditPasteCmd: a command&apos;s name; &apos;&amp;&apos; marks the letter of its keyboard access.</extracomment>
        <translation>&amp;Einfügen</translation>
    </message>
    <message>
        <source>Paste contents of clipboard</source>
        <comment>EditPasteCmd.Hint</comment>
        <extracomment>TAction EditPasteCmd: its tooltip.</extracomment>
        <translation>Inhalt der Zwischenablage einfügen</translation>
    </message>
    <message>
        <source>&amp;Font...</source>
        <comment>EditFontCmd.Caption</comment>
        <extracomment>TAction EditFontCmd: a command&apos;s name; &apos;&amp;&apos; marks the letter of its keyboard access.</extracomment>
        <translation>&amp;Schriftart…</translation>
    </message>
</context>
</TS>
