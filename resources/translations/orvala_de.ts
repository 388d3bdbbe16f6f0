<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>CAboutDlg</name>
    <message>
        <source>About Orvala</source>
        <translation>Über Orvala</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>%1 Version %2</source>
        <translation>%1 Version %2</translation>
    </message>
</context>
<context>
    <name>CDaoDatabase</name>
    <message>
        <source>Database &quot;%1&quot; already exists.</source>
        <translation>Die Datenbank „%1“ existiert bereits.</translation>
    </message>
    <message>
        <source>Can not create database &quot;%1&quot;: %2.</source>
        <translation>Die Datenbank „%1“ kann nicht angelegt werden: %2.</translation>
    </message>
    <message>
        <source>Could not find file &quot;%1&quot;.</source>
        <translation>Die Datei „%1“ wurde nicht gefunden.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a file.</source>
        <translation>„%1“ ist keine Datei.</translation>
    </message>
    <message>
        <source>The PostgreSQL database driver is not available; install the package libqt6sql6-psql.</source>
        <translation>Der PostgreSQL-Datenbanktreiber ist nicht verfügbar; installieren Sie das Paket libqt6sql6-psql.</translation>
    </message>
    <message>
        <source>Can not open database &quot;%1&quot; on the PostgreSQL server &quot;%2&quot;: %3</source>
        <translation>Die Datenbank „%1“ auf dem PostgreSQL-Server „%2“ kann nicht geöffnet werden: %3</translation>
    </message>
    <message>
        <source>The SQLite database driver is not available.</source>
        <translation>Der SQLite-Datenbanktreiber ist nicht verfügbar.</translation>
    </message>
    <message>
        <source>Can not open database &quot;%1&quot;: %2.</source>
        <translation>Die Datenbank „%1“ kann nicht geöffnet werden: %2.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a database this program can read; it may be damaged or made by another program.</source>
        <translation>„%1“ ist keine Datenbank, die dieses Programm lesen kann; sie ist vielleicht beschädigt oder stammt von einem anderen Programm.</translation>
    </message>
    <message>
        <source>Database &quot;%1&quot; is locked by another program.</source>
        <translation>Die Datenbank „%1“ ist von einem anderen Programm gesperrt.</translation>
    </message>
    <message>
        <source>Can not read database &quot;%1&quot;: %2.</source>
        <translation>Die Datenbank „%1“ kann nicht gelesen werden: %2.</translation>
    </message>
    <message>
        <source>The database is not open.</source>
        <translation>Die Datenbank ist nicht geöffnet.</translation>
    </message>
    <message>
        <source>No current record.</source>
        <translation>Kein aktueller Datensatz.</translation>
    </message>
    <message>
        <source>Field &quot;%1&quot; is not in table &quot;%2&quot;.</source>
        <translation>Das Feld „%1“ ist nicht in der Tabelle „%2“.</translation>
    </message>
    <message>
        <source>The records of table &quot;%1&quot; can not be told apart: it has no INTEGER PRIMARY KEY field, and its fields take every name of SQLite&apos;s row id.</source>
        <translation>Die Datensätze der Tabelle „%1“ lassen sich nicht unterscheiden: Sie hat kein Feld INTEGER PRIMARY KEY, und ihre Felder belegen jeden Namen der SQLite-Zeilen-ID.</translation>
    </message>
    <message>
        <source>Record is deleted.</source>
        <translation>Der Datensatz ist gelöscht.</translation>
    </message>
</context>
<context>
    <name>CDao_Table</name>
    <message>
        <source>Can not create database &quot;%1&quot;</source>
        <extracomment>The start of the engine&apos;s &quot;Can not create database &quot;%1&quot;: %2.&quot;, worded alike.</extracomment>
        <translation>Die Datenbank „%1“ kann nicht angelegt werden</translation>
    </message>
    <message>
        <source>whole numbers</source>
        <translation>ganze Zahlen</translation>
    </message>
    <message>
        <source>dates</source>
        <translation>Datumswerte</translation>
    </message>
    <message>
        <source>text</source>
        <translation>Text</translation>
    </message>
    <message>
        <source>values of type %1</source>
        <translation>Werte vom Typ %1</translation>
    </message>
    <message>
        <source>&quot;%1&quot;</source>
        <extracomment>A field&apos;s name in a list of names, quoted as the other messages quote.</extracomment>
        <translation>„%1“</translation>
    </message>
    <message>
        <source> and </source>
        <translation> und </translation>
    </message>
    <message>
        <source>Can not look for &quot;%1&quot; in folder &quot;%2&quot;: %3.</source>
        <translation>Im Ordner „%2“ kann nicht nach „%1“ gesucht werden: %3.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; can not be read: %2.</source>
        <translation>„%1“ kann nicht gelesen werden: %2.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; has no table &quot;%2&quot;.</source>
        <translation>„%1“ hat keine Tabelle „%2“.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; in &quot;%2&quot; is a view, not a table.</source>
        <translation>„%1“ in „%2“ ist eine Sicht, keine Tabelle.</translation>
    </message>
    <message>
        <source>its field &quot;%1&quot; holds %2, not %3</source>
        <translation>ihr Feld „%1“ enthält %2, nicht %3</translation>
    </message>
    <message>
        <source>lacks the field </source>
        <translation>hat kein Feld </translation>
    </message>
    <message>
        <source>lacks the fields </source>
        <translation>hat keine Felder </translation>
    </message>
    <message>
        <source>Table &quot;%1&quot; in &quot;%2&quot; %3.</source>
        <translation>Die Tabelle „%1“ in „%2“ %3.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is read-only.</source>
        <translation>„%1“ ist schreibgeschützt.</translation>
    </message>
    <message>
        <source>the folder of &quot;%1&quot; is read-only.</source>
        <translation>der Ordner von „%1“ ist schreibgeschützt.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; no longer exists.</source>
        <translation>„%1“ existiert nicht mehr.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; has become read-only.</source>
        <translation>„%1“ ist inzwischen schreibgeschützt.</translation>
    </message>
    <message>
        <source>the folder of &quot;%1&quot; has become read-only.</source>
        <translation>der Ordner von „%1“ ist inzwischen schreibgeschützt.</translation>
    </message>
    <message>
        <source>Database file &quot;%1&quot; is not open.</source>
        <translation>Die Datenbankdatei „%1“ ist nicht geöffnet.</translation>
    </message>
    <message>
        <source>The photo database is not available: </source>
        <translation>Die Fotodatenbank ist nicht verfügbar: </translation>
    </message>
    <message>
        <source>The photo database can not be changed: </source>
        <translation>Die Fotodatenbank kann nicht geändert werden: </translation>
    </message>
    <message>
        <source>The %1 is %2 characters long, but at most %3 can be stored. Please shorten it.</source>
        <translation>Das Feld „%1“ ist %2 Zeichen lang, gespeichert werden können aber höchstens %3. Bitte kürzen Sie den Text.</translation>
    </message>
    <message>
        <source>The record can not be saved: it is no longer in the table.</source>
        <translation>Der Datensatz kann nicht gespeichert werden: Er ist nicht mehr in der Tabelle.</translation>
    </message>
    <message>
        <source>the server keeps &quot;%1&quot; read-only.</source>
        <translation>der Server hält „%1“ schreibgeschützt.</translation>
    </message>
    <message>
        <source> The server undid the command: nothing of it was stored.</source>
        <translation> Der Server hat den Befehl rückgängig gemacht: nichts davon wurde gespeichert.</translation>
    </message>
    <message>
        <source> Whether the change was stored is not known; the table shows it once connected again.</source>
        <translation> Ob die Änderung gespeichert wurde, ist nicht bekannt; die Tabelle zeigt es, sobald die Verbindung wieder besteht.</translation>
    </message>
    <message>
        <source>The connection to the photo database &quot;%1&quot; was lost: %2%3 The next command connects again.</source>
        <translation>Die Verbindung zur Fotodatenbank „%1“ wurde unterbrochen: %2%3 Der nächste Befehl verbindet sich neu.</translation>
    </message>
</context>
<context>
    <name>CDia_Find</name>
    <message>
        <source>Find Records</source>
        <translation>Datensätze suchen</translation>
    </message>
    <message>
        <source>Please enter a part of text you need to find</source>
        <translation>Bitte geben Sie einen Teil des gesuchten Textes ein</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
</context>
<context>
    <name>CDia_PhotoDatabase</name>
    <message>
        <source>Photo Database</source>
        <translation>Fotodatenbank</translation>
    </message>
    <message>
        <source>The &amp;local file Photos.mdb in the working folder</source>
        <translation>Die &amp;lokale Datei Photos.mdb im Arbeitsordner</translation>
    </message>
    <message>
        <source>A PostgreSQL &amp;server</source>
        <translation>Ein PostgreSQL-&amp;Server</translation>
    </message>
    <message>
        <source>&amp;Host (or socket folder):</source>
        <translation>&amp;Host (oder Socket-Ordner):</translation>
    </message>
    <message>
        <source>&amp;Port:</source>
        <translation>&amp;Port:</translation>
    </message>
    <message>
        <source>&amp;Database:</source>
        <translation>&amp;Datenbank:</translation>
    </message>
    <message>
        <source>&amp;User:</source>
        <translation>&amp;Benutzer:</translation>
    </message>
    <message>
        <source>SSL m&amp;ode:</source>
        <translation>SSL-M&amp;odus:</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Please enter the server&apos;s host (or socket folder), database and user.</source>
        <translation>Bitte geben Sie Host (oder Socket-Ordner), Datenbank und Benutzer des Servers ein.</translation>
    </message>
    <message>
        <source>Your choice could not be stored in &quot;%1&quot;.</source>
        <translation>Ihre Wahl konnte nicht in „%1“ gespeichert werden.</translation>
    </message>
    <message>
        <source>Orvala opens the photo database you chose at its next start.</source>
        <translation>Orvala öffnet die gewählte Fotodatenbank beim nächsten Start.</translation>
    </message>
    <message>
        <source>A password that ~/.pgpass does not give is asked for at start, and kept for that run only.</source>
        <translation>Ein Passwort, das ~/.pgpass nicht liefert, wird beim Start erfragt und nur für diesen Lauf behalten.</translation>
    </message>
</context>
<context>
    <name>CDia_PictureInfo</name>
    <message>
        <source>Picture Information</source>
        <translation>Bildinformationen</translation>
    </message>
    <message>
        <source>File</source>
        <translation>Datei</translation>
    </message>
    <message>
        <source>Picture</source>
        <translation>Bild</translation>
    </message>
    <message>
        <source>Camera</source>
        <translation>Kamera</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Path:</source>
        <translation>Pfad:</translation>
    </message>
    <message>
        <source>Size:</source>
        <translation>Größe:</translation>
    </message>
    <message>
        <source>Modified:</source>
        <translation>Geändert:</translation>
    </message>
    <message>
        <source>Pixels:</source>
        <translation>Pixel:</translation>
    </message>
    <message>
        <source>Format:</source>
        <translation>Format:</translation>
    </message>
    <message>
        <source>Colours:</source>
        <translation>Farben:</translation>
    </message>
    <message>
        <source>The file holds no camera data.</source>
        <translation>Die Datei enthält keine Kameradaten.</translation>
    </message>
    <message>
        <source>Make:</source>
        <translation>Hersteller:</translation>
    </message>
    <message>
        <source>Model:</source>
        <translation>Modell:</translation>
    </message>
    <message>
        <source>Lens:</source>
        <translation>Objektiv:</translation>
    </message>
    <message>
        <source>Taken:</source>
        <translation>Aufgenommen:</translation>
    </message>
    <message>
        <source>Exposure:</source>
        <translation>Belichtung:</translation>
    </message>
    <message>
        <source>Aperture:</source>
        <translation>Blende:</translation>
    </message>
    <message>
        <source>ISO:</source>
        <translation>ISO:</translation>
    </message>
    <message>
        <source>Focal length:</source>
        <translation>Brennweite:</translation>
    </message>
    <message>
        <source>Flash:</source>
        <translation>Blitz:</translation>
    </message>
    <message>
        <source>Orientation:</source>
        <translation>Ausrichtung:</translation>
    </message>
    <message>
        <source>Show the place on a map</source>
        <translation>Den Ort auf einer Karte zeigen</translation>
    </message>
    <message>
        <source>Position:</source>
        <translation>Position:</translation>
    </message>
</context>
<context>
    <name>CDia_Properties</name>
    <message>
        <source>Properties</source>
        <translation>Eigenschaften</translation>
    </message>
    <message>
        <source>Mosaic</source>
        <translation>Mosaik</translation>
    </message>
    <message>
        <source>Keep photos&apos; proportions</source>
        <translation>Seitenverhältnis der Fotos beibehalten</translation>
    </message>
    <message>
        <source>Photos in row:</source>
        <translation>Fotos pro Zeile:</translation>
    </message>
    <message>
        <source>Photos&apos; border width:</source>
        <translation>Rahmenbreite der Fotos:</translation>
    </message>
    <message>
        <source>Slide Show</source>
        <translation>Diashow</translation>
    </message>
    <message>
        <source>Show circled</source>
        <translation>Endlos wiederholen</translation>
    </message>
    <message>
        <source>Pause between slides:</source>
        <translation>Pause zwischen den Bildern:</translation>
    </message>
    <message>
        <source>sec</source>
        <translation>Sek.</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>CDia_Record</name>
    <message>
        <source>Record</source>
        <translation>Datensatz</translation>
    </message>
    <message>
        <source>Theme:</source>
        <translation>Thema:</translation>
    </message>
    <message>
        <source>Comment:</source>
        <translation>Kommentar:</translation>
    </message>
    <message>
        <source>Clear record</source>
        <translation>Datensatz leeren</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Another program changed this record while you edited it.</source>
        <translation>Ein anderes Programm hat diesen Datensatz geändert, während Sie ihn bearbeitet haben.</translation>
    </message>
    <message>
        <source>Theme: &quot;%1&quot; (stored) / &quot;%2&quot; (yours).</source>
        <translation>Thema: „%1“ (gespeichert) / „%2“ (Ihres).</translation>
    </message>
    <message>
        <source>Comment: &quot;%1&quot; (stored) / &quot;%2&quot; (yours).</source>
        <translation>Kommentar: „%1“ (gespeichert) / „%2“ (Ihrer).</translation>
    </message>
</context>
<context>
    <name>CDia_ServerPassword</name>
    <message>
        <source>Photo Database</source>
        <translation>Fotodatenbank</translation>
    </message>
    <message>
        <source>The PostgreSQL server &quot;%1&quot; asks for the password of %2 for the photo database &quot;%3&quot;.</source>
        <translation>Der PostgreSQL-Server „%1“ fragt nach dem Passwort von %2 für die Fotodatenbank „%3“.</translation>
    </message>
    <message>
        <source>Pass&amp;word:</source>
        <translation>Pass&amp;wort:</translation>
    </message>
</context>
<context>
    <name>CDriftRowModel</name>
    <message>
        <source>Problem</source>
        <translation>Problem</translation>
    </message>
    <message>
        <source>Folder</source>
        <translation>Ordner</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Records</source>
        <translation>Datensätze</translation>
    </message>
    <message>
        <source>Stored Size</source>
        <translation>DB-Größe</translation>
    </message>
    <message>
        <source>Size on Disk</source>
        <translation>Dateigröße</translation>
    </message>
</context>
<context>
    <name>CFolderImport</name>
    <message>
        <source> Importing %1 pictures into the photo database: </source>
        <translation> %1 Bilder werden in die Fotodatenbank importiert: </translation>
    </message>
    <message>
        <source>1 record followed its renamed picture</source>
        <translation>1 Datensatz ist seinem umbenannten Bild gefolgt</translation>
    </message>
    <message numerus="yes">
        <source>%n records followed their renamed pictures</source>
        <translation>
            <numerusform>%n Datensatz ist seinem umbenannten Bild gefolgt</numerusform>
            <numerusform>%n Datensätze sind ihren umbenannten Bildern gefolgt</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>CHelpWindow</name>
    <message>
        <source>%1 Help</source>
        <translation>%1-Hilfe</translation>
    </message>
</context>
<context>
    <name>CListView_Drift</name>
    <message>
        <source>Checking the Database: </source>
        <translation>Datenbank wird abgeglichen: </translation>
    </message>
    <message>
        <source> (the check was stopped after %1 of %2 records)</source>
        <translation> (der Abgleich wurde nach %1 von %2 Datensätzen abgebrochen)</translation>
    </message>
    <message>
        <source>Every record&apos;s picture is in its folder, at the size recorded.</source>
        <translation>Das Bild jedes Datensatzes liegt in seinem Ordner, in der gespeicherten Größe.</translation>
    </message>
    <message>
        <source>Database Check (stopped)</source>
        <translation>Datenbankabgleich (abgebrochen)</translation>
    </message>
    <message>
        <source> Folders missing: %1, files missing: %2, sizes differing: %3</source>
        <translation> Fehlende Ordner: %1, fehlende Dateien: %2, abweichende Größen: %3</translation>
    </message>
    <message>
        <source>No record here misses its picture.</source>
        <translation>Hier fehlt keinem Datensatz sein Bild.</translation>
    </message>
    <message numerus="yes">
        <source>Remove the %n record(s) whose pictures are missing from the database? No picture file is touched.</source>
        <translation>
            <numerusform>Den %n Datensatz, dessen Bild fehlt, aus der Datenbank entfernen? Keine Bilddatei wird angerührt.</numerusform>
            <numerusform>Die %n Datensätze, deren Bilder fehlen, aus der Datenbank entfernen? Keine Bilddatei wird angerührt.</numerusform>
        </translation>
    </message>
    <message>
        <source>Please select a missing folder or file to locate.</source>
        <translation>Bitte wählen Sie einen fehlenden Ordner oder eine fehlende Datei zum Suchen aus.</translation>
    </message>
    <message>
        <source>Where is &quot;%1&quot; now?</source>
        <translation>Wo ist „%1“ jetzt?</translation>
    </message>
    <message numerus="yes">
        <source>%n record(s) of &quot;%1&quot; now point into &quot;%2&quot;.</source>
        <translation>
            <numerusform>%n Datensatz von „%1“ verweist jetzt auf „%2“.</numerusform>
            <numerusform>%n Datensätze von „%1“ verweisen jetzt auf „%2“.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source> %n record(s) stay as they were: their pictures are not in &quot;%1&quot;.</source>
        <translation>
            <numerusform> %n Datensatz bleibt unverändert: Sein Bild liegt nicht in „%1“.</numerusform>
            <numerusform> %n Datensätze bleiben unverändert: Ihre Bilder liegen nicht in „%1“.</numerusform>
        </translation>
    </message>
    <message>
        <source>No record here differs in size from its picture.</source>
        <translation>Hier weicht kein Datensatz in der Größe von seinem Bild ab.</translation>
    </message>
    <message>
        <source>, renamed: %1</source>
        <translation>, umbenannt: %1</translation>
    </message>
    <message>
        <source>&quot;%1&quot; may be a disk that is only unplugged. Removing the records loses their themes and comments, which do not come back when the disk does. Remove them all the same?</source>
        <translation>„%1“ ist vielleicht nur ein abgezogenes Laufwerk. Beim Entfernen der Datensätze gehen ihre Themen und Kommentare verloren und kommen auch mit dem Laufwerk nicht zurück. Trotzdem alle entfernen?</translation>
    </message>
    <message>
        <source>No picture here was found renamed.</source>
        <translation>Hier wurde kein umbenanntes Bild gefunden.</translation>
    </message>
</context>
<context>
    <name>CListView_Table</name>
    <message>
        <source>Filling the Table: </source>
        <translation>Tabelle wird gefüllt: </translation>
    </message>
    <message>
        <source> Record: %1 / %2</source>
        <translation> Datensatz: %1 / %2</translation>
    </message>
    <message>
        <source>Please select a Record to show.</source>
        <translation>Bitte wählen Sie einen Datensatz zum Anzeigen aus.</translation>
    </message>
    <message>
        <source>No records match &quot;%1&quot;.</source>
        <translation>Keine Datensätze passen zu „%1“.</translation>
    </message>
    <message>
        <source>The Records found by &quot;%1&quot;</source>
        <translation>Gefundene Datensätze zu „%1“</translation>
    </message>
    <message>
        <source>Please select a record(s) for delete.</source>
        <translation>Bitte wählen Sie die zu löschenden Datensätze aus.</translation>
    </message>
    <message>
        <source>Delete a record &quot;%1&quot; from Table?</source>
        <translation>Den Datensatz „%1“ aus der Tabelle löschen?</translation>
    </message>
    <message>
        <source>Delete those %1 records from Table?</source>
        <translation>Diese %1 Datensätze aus der Tabelle löschen?</translation>
    </message>
    <message>
        <source>Please select a records for Slideshow.</source>
        <translation>Bitte wählen Sie Datensätze für die Diashow aus.</translation>
    </message>
    <message>
        <source>No records in a Table.</source>
        <translation>Die Tabelle enthält keine Datensätze.</translation>
    </message>
</context>
<context>
    <name>CMDIFrameWnd</name>
    <message>
        <source>Toolbar</source>
        <translation>Werkzeugleiste</translation>
    </message>
</context>
<context>
    <name>CMainFrame</name>
    <message>
        <source>PHOTOS TABLE</source>
        <translation>TABELLE PHOTOS</translation>
    </message>
    <message>
        <source>Database Check</source>
        <translation>Datenbankabgleich</translation>
    </message>
    <message>
        <source>The folder &quot;%1&quot; holds no pictures.</source>
        <translation>Der Ordner „%1“ enthält keine Bilder.</translation>
    </message>
    <message>
        <source>Open Folder</source>
        <translation>Ordner öffnen</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is no longer in the trash, so it cannot be put back. Nothing was changed.</source>
        <translation>„%1“ ist nicht mehr im Papierkorb und kann daher nicht zurückgelegt werden. Nichts wurde geändert.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; stays in the trash: another file has taken its name in the folder meanwhile.</source>
        <translation>„%1“ bleibt im Papierkorb: Eine andere Datei hat inzwischen seinen Namen im Ordner übernommen.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; stays in the trash: it could not be put back: %2.</source>
        <translation>„%1“ bleibt im Papierkorb: Es konnte nicht zurückgelegt werden: %2.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is back in its folder, but its record could not be put back: %2</source>
        <translation>„%1“ ist wieder in seinem Ordner, aber sein Datensatz konnte nicht zurückgelegt werden: %2</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is back in its folder, with its record.</source>
        <translation>„%1“ ist wieder in seinem Ordner, mit seinem Datensatz.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is back in its folder.</source>
        <translation>„%1“ ist wieder in seinem Ordner.</translation>
    </message>
</context>
<context>
    <name>CMultiDocTemplate</name>
    <message>
        <source>Untitled</source>
        <translation>Unbenannt</translation>
    </message>
</context>
<context>
    <name>COrvalaDoc</name>
    <message>
        <source>&quot;%1&quot; can not be shown: %2.</source>
        <translation>„%1“ kann nicht angezeigt werden: %2.</translation>
    </message>
</context>
<context>
    <name>COrvalaView</name>
    <message>
        <source>Invalid argument: no picture at that index.</source>
        <translation>Ungültiges Argument: An dieser Stelle ist kein Bild.</translation>
    </message>
    <message>
        <source> Show %1 pictures from current directory: </source>
        <translation> %1 Bilder aus dem aktuellen Ordner werden gezeigt: </translation>
    </message>
    <message>
        <source> Mosaic %1 / %2  from current directory: </source>
        <translation> Mosaik %1 / %2  aus dem aktuellen Ordner: </translation>
    </message>
    <message>
        <source>&quot;%1&quot; is in the trash, but its record stays: %2</source>
        <translation>„%1“ liegt im Papierkorb, aber sein Datensatz bleibt: %2</translation>
    </message>
    <message>
        <source>Move &quot;%1&quot; to the trash?</source>
        <translation>„%1“ in den Papierkorb verschieben?</translation>
    </message>
    <message>
        <source>Its %1 records in the photo database are removed too.</source>
        <translation>Seine %1 Datensätze in der Fotodatenbank werden ebenfalls entfernt.</translation>
    </message>
    <message>
        <source>Its record in the photo database (theme &quot;%1&quot;, comment &quot;%2&quot;) is removed too.</source>
        <translation>Sein Datensatz in der Fotodatenbank (Thema „%1“, Kommentar „%2“) wird ebenfalls entfernt.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; could not be moved to the trash: %2. Nothing was changed.</source>
        <translation>„%1“ konnte nicht in den Papierkorb verschoben werden: %2. Nichts wurde geändert.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; could not be moved to the trash: %2. It could not be put back either and is now &quot;%3&quot;; its record stays.</source>
        <translation>„%1“ konnte nicht in den Papierkorb verschoben werden: %2. Es konnte auch nicht zurückgelegt werden und ist jetzt „%3“; sein Datensatz bleibt.</translation>
    </message>
</context>
<context>
    <name>CTableRowModel</name>
    <message>
        <source>Invalid DateTime</source>
        <translation>Ungültiges Datum</translation>
    </message>
</context>
<context>
    <name>CWinApp</name>
    <message>
        <source>Open</source>
        <translation>Öffnen</translation>
    </message>
    <message>
        <source>All Files (*)</source>
        <translation>Alle Dateien (*)</translation>
    </message>
</context>
<context>
    <name>DatabaseMessages</name>
    <message>
        <source>
Pictures can still be browsed.</source>
        <translation>
Bilder können weiterhin angesehen werden.</translation>
    </message>
    <message>
        <source>
Its records can still be browsed and found.</source>
        <translation>
Ihre Datensätze können weiterhin angesehen und gesucht werden.</translation>
    </message>
    <message>
        <source>The photo database &quot;%1&quot; is on a PostgreSQL server, which keeps its files whole itself; there is no file here to check. Nothing was changed.</source>
        <translation>Die Fotodatenbank „%1“ liegt auf einem PostgreSQL-Server, der seine Dateien selbst intakt hält; hier gibt es keine Datei zu prüfen. Es wurde nichts geändert.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; could not be checked: %2
Nothing was changed.</source>
        <translation>„%1“ konnte nicht geprüft werden: %2
Es wurde nichts geändert.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; was checked and no damage was found. Nothing was changed.</source>
        <translation>„%1“ wurde geprüft, und es wurden keine Schäden gefunden. Es wurde nichts geändert.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is damaged. The check found:
</source>
        <translation>„%1“ ist beschädigt. Die Prüfung ergab:
</translation>
    </message>
    <message>
        <source>
... and %1 more.</source>
        <translation>
... und %1 weitere.</translation>
    </message>
    <message>
        <source>
Nothing was repaired: keep a copy of the file before anything changes it.</source>
        <translation>
Es wurde nichts repariert: Bewahren Sie eine Kopie der Datei auf, bevor irgendetwas sie verändert.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; lies on a network file system (%2), whose locks are not reliable: two computers writing it at once can damage it. For several computers, choose a PostgreSQL server in Database &gt; Photo Database...</source>
        <translation>„%1“ liegt auf einem Netzwerkdateisystem (%2), dessen Sperren nicht zuverlässig sind: Zwei Computer, die gleichzeitig darauf schreiben, können die Datei beschädigen. Wählen Sie für mehrere Computer einen PostgreSQL-Server unter Datenbank &gt; Fotodatenbank...</translation>
    </message>
</context>
<context>
    <name>DriftReport</name>
    <message>
        <source>Folder missing</source>
        <translation>Ordner fehlt</translation>
    </message>
    <message>
        <source>File missing</source>
        <translation>Datei fehlt</translation>
    </message>
    <message>
        <source>Size differs</source>
        <translation>Größe weicht ab</translation>
    </message>
    <message>
        <source>Renamed</source>
        <translation>Umbenannt</translation>
    </message>
</context>
<context>
    <name>ExceptionBoundary</name>
    <message>
        <source>There is not enough memory to complete the operation.</source>
        <translation>Für diesen Vorgang ist nicht genügend Speicher vorhanden.</translation>
    </message>
    <message>
        <source>The operation failed because of an unexpected error.</source>
        <translation>Der Vorgang ist wegen eines unerwarteten Fehlers fehlgeschlagen.</translation>
    </message>
</context>
<context>
    <name>MessageBox</name>
    <message>
        <source>Keep Mine</source>
        <translation>Meines behalten</translation>
    </message>
    <message>
        <source>Take Theirs</source>
        <translation>Das andere übernehmen</translation>
    </message>
</context>
<context>
    <name>PhotoField</name>
    <message>
        <source>ID_Photo</source>
        <translation>Foto-ID</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>Datum</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Extention</source>
        <translation>Endung</translation>
    </message>
    <message>
        <source>Size</source>
        <translation>Größe</translation>
    </message>
    <message>
        <source>Directory</source>
        <translation>Ordner</translation>
    </message>
    <message>
        <source>Theme</source>
        <translation>Thema</translation>
    </message>
    <message>
        <source>Comment</source>
        <translation>Kommentar</translation>
    </message>
</context>
<context>
    <name>PictureDecoder</name>
    <message>
        <source>No such file</source>
        <translation>Datei nicht gefunden</translation>
    </message>
    <message>
        <source>Permission denied</source>
        <translation>Zugriff verweigert</translation>
    </message>
    <message>
        <source>not a picture Orvala can read</source>
        <translation>kein Bild, das Orvala lesen kann</translation>
    </message>
</context>
<context>
    <name>PictureInfo</name>
    <message>
        <source>Black and white, 1 bit a pixel</source>
        <translation>Schwarzweiß, 1 Bit pro Pixel</translation>
    </message>
    <message>
        <source>Palette, 8 bits a pixel</source>
        <translation>Palette, 8 Bit pro Pixel</translation>
    </message>
    <message>
        <source>Greyscale, 8 bits a pixel</source>
        <translation>Graustufen, 8 Bit pro Pixel</translation>
    </message>
    <message>
        <source>Greyscale, 16 bits a pixel</source>
        <translation>Graustufen, 16 Bit pro Pixel</translation>
    </message>
    <message>
        <source>RGB, 24 bits a pixel</source>
        <translation>RGB, 24 Bit pro Pixel</translation>
    </message>
    <message>
        <source>RGB with transparency, 32 bits a pixel</source>
        <translation>RGB mit Transparenz, 32 Bit pro Pixel</translation>
    </message>
    <message>
        <source>RGB, 48 bits a pixel</source>
        <translation>RGB, 48 Bit pro Pixel</translation>
    </message>
    <message>
        <source>RGB with transparency, 64 bits a pixel</source>
        <translation>RGB mit Transparenz, 64 Bit pro Pixel</translation>
    </message>
    <message>
        <source>Fired</source>
        <translation>Ausgelöst</translation>
    </message>
    <message>
        <source>Did not fire</source>
        <translation>Nicht ausgelöst</translation>
    </message>
    <message>
        <source>, compulsory</source>
        <translation>, erzwungen</translation>
    </message>
    <message>
        <source>, switched off</source>
        <translation>, ausgeschaltet</translation>
    </message>
    <message>
        <source>, auto mode</source>
        <translation>, automatisch</translation>
    </message>
    <message>
        <source>Normal</source>
        <translation>Normal</translation>
    </message>
    <message>
        <source>Mirrored horizontally</source>
        <translation>Horizontal gespiegelt</translation>
    </message>
    <message>
        <source>Rotated 180°</source>
        <translation>Um 180° gedreht</translation>
    </message>
    <message>
        <source>Mirrored vertically</source>
        <translation>Vertikal gespiegelt</translation>
    </message>
    <message>
        <source>Mirrored horizontally, rotated 270° clockwise</source>
        <translation>Horizontal gespiegelt, um 270° im Uhrzeigersinn gedreht</translation>
    </message>
    <message>
        <source>Rotated 90° clockwise</source>
        <translation>Um 90° im Uhrzeigersinn gedreht</translation>
    </message>
    <message>
        <source>Mirrored horizontally, rotated 90° clockwise</source>
        <translation>Horizontal gespiegelt, um 90° im Uhrzeigersinn gedreht</translation>
    </message>
    <message>
        <source>Rotated 270° clockwise</source>
        <translation>Um 270° im Uhrzeigersinn gedreht</translation>
    </message>
    <message>
        <source>%1 bytes</source>
        <translation>%1 Bytes</translation>
    </message>
</context>
<context>
    <name>Resources</name>
    <message>
        <source>Orvala</source>
        <translation>Orvala</translation>
    </message>
    <message>
        <source>
Orvala
Orvala


Orvala.Document
Orvala.Document</source>
        <translation>
Orvala
Orvala


Orvala.Document
Orvala.Document</translation>
    </message>
    <message>
        <source>Full Size
Full Size</source>
        <translation>Volle Größe
Volle Größe</translation>
    </message>
    <message>
        <source>Show Mosaic
Show Mosaic</source>
        <translation>Mosaik anzeigen
Mosaik anzeigen</translation>
    </message>
    <message>
        <source>Show Properties Dialog
Show Properties Dialog</source>
        <translation>Eigenschaften anzeigen
Eigenschaften anzeigen</translation>
    </message>
    <message>
        <source>Slide show
Slide show</source>
        <translation>Diashow
Diashow</translation>
    </message>
    <message>
        <source>Show Table
Show Table</source>
        <translation>Tabelle anzeigen
Tabelle anzeigen</translation>
    </message>
    <message>
        <source>Show Record
Show Record</source>
        <translation>Datensatz anzeigen
Datensatz anzeigen</translation>
    </message>
    <message>
        <source>Delete Record(s)
Delete Record(s)</source>
        <translation>Datensätze löschen
Datensätze löschen</translation>
    </message>
    <message>
        <source>Find Record(s)
Find Record(s)</source>
        <translation>Datensätze suchen
Datensätze suchen</translation>
    </message>
    <message>
        <source>Pause
Pause</source>
        <translation>Pause
Pause</translation>
    </message>
    <message>
        <source>Slideshow cicled
Slideshow cicled</source>
        <translation>Diashow endlos wiederholen
Diashow endlos wiederholen</translation>
    </message>
    <message>
        <source>Show the whole picture inside the window
Fit to Window</source>
        <translation>Das ganze Bild im Fenster zeigen
An Fenster anpassen</translation>
    </message>
    <message>
        <source>Enlarge the picture
Zoom In</source>
        <translation>Das Bild vergrößern
Vergrößern</translation>
    </message>
    <message>
        <source>Reduce the picture
Zoom Out</source>
        <translation>Das Bild verkleinern
Verkleinern</translation>
    </message>
    <message>
        <source>Show the picture at 100%
Actual Size</source>
        <translation>Das Bild in 100 % zeigen
Originalgröße</translation>
    </message>
    <message>
        <source>Show the picture alone on the whole screen
Full Screen</source>
        <translation>Das Bild allein auf dem ganzen Bildschirm zeigen
Vollbild</translation>
    </message>
    <message>
        <source>Leave the mosaic for the picture under the frame
Single Picture</source>
        <translation>Vom Mosaik zum Bild unter dem Rahmen wechseln
Einzelbild</translation>
    </message>
    <message>
        <source>List every picture format Orvala can read, not only the seven classic ones
All Picture Formats</source>
        <translation>Alle Bildformate auflisten, die Orvala lesen kann, nicht nur die sieben klassischen
Alle Bildformate</translation>
    </message>
    <message>
        <source>Show the file, picture and camera data of the picture
Picture Information</source>
        <translation>Datei-, Bild- und Kameradaten des Bildes zeigen
Bildinformationen</translation>
    </message>
    <message>
        <source>Open a folder&apos;s pictures as a mosaic
Open Folder</source>
        <translation>Die Bilder eines Ordners als Mosaik öffnen
Ordner öffnen</translation>
    </message>
    <message>
        <source>Move the picture to the trash and remove its record
Move to Trash</source>
        <translation>Das Bild in den Papierkorb verschieben und seinen Datensatz entfernen
In den Papierkorb verschieben</translation>
    </message>
    <message>
        <source>Close every window
Close All</source>
        <translation>Alle Fenster schließen
Alle schließen</translation>
    </message>
    <message>
        <source>Check the photo database file for damage, changing nothing
Verify Database</source>
        <translation>Die Datei der Fotodatenbank auf Schäden prüfen, ohne etwas zu ändern
Datenbank auf Schäden prüfen</translation>
    </message>
    <message>
        <source>List the records whose picture file is missing or changed, changing nothing
Check Database</source>
        <translation>Die Datensätze auflisten, deren Bilddatei fehlt oder sich geändert hat, ohne etwas zu ändern
Datenbank abgleichen</translation>
    </message>
    <message>
        <source>Remove the records of missing pictures; no file is touched
Remove Records</source>
        <translation>Die Datensätze fehlender Bilder entfernen; keine Datei wird angerührt
Datensätze entfernen</translation>
    </message>
    <message>
        <source>Point the records of a missing folder to its new place
Locate Folder</source>
        <translation>Die Datensätze eines fehlenden Ordners auf seinen neuen Ort verweisen lassen
Ordner suchen</translation>
    </message>
    <message>
        <source>Store the sizes the picture files have now
Update Sizes</source>
        <translation>Die jetzigen Größen der Bilddateien speichern
Größen aktualisieren</translation>
    </message>
    <message>
        <source>Choose the photo database: the local file or a PostgreSQL server
Photo Database</source>
        <translation>Die Fotodatenbank wählen: die lokale Datei oder einen PostgreSQL-Server
Fotodatenbank</translation>
    </message>
    <message>
        <source>Show Table</source>
        <translation>Tabelle anzeigen</translation>
    </message>
    <message>
        <source>Database Check</source>
        <translation>Datenbankabgleich</translation>
    </message>
    <message>
        <source>Create a new picture window
New</source>
        <translation>Ein neues Bildfenster anlegen
Neu</translation>
    </message>
    <message>
        <source>Open an existing picture
Open</source>
        <translation>Ein vorhandenes Bild öffnen
Öffnen</translation>
    </message>
    <message>
        <source>Close the active window
Close</source>
        <translation>Das aktive Fenster schließen
Schließen</translation>
    </message>
    <message>
        <source>Save the active document
Save</source>
        <translation>Das aktive Dokument speichern
Speichern</translation>
    </message>
    <message>
        <source>Change the printer and printing options
Print Setup</source>
        <translation>Drucker und Druckoptionen ändern
Druckereinrichtung</translation>
    </message>
    <message>
        <source>Print the active picture
Print</source>
        <translation>Das aktive Bild drucken
Drucken</translation>
    </message>
    <message>
        <source>Display full pages
Print Preview</source>
        <translation>Ganze Seiten anzeigen
Druckvorschau</translation>
    </message>
    <message>
        <source>Open this picture</source>
        <translation>Dieses Bild öffnen</translation>
    </message>
    <message>
        <source>Copy the selection and put it on the Clipboard
Copy</source>
        <translation>Die Auswahl kopieren und in die Zwischenablage legen
Kopieren</translation>
    </message>
    <message>
        <source>Cut the selection and put it on the Clipboard
Cut</source>
        <translation>Die Auswahl ausschneiden und in die Zwischenablage legen
Ausschneiden</translation>
    </message>
    <message>
        <source>Insert Clipboard contents
Paste</source>
        <translation>Den Inhalt der Zwischenablage einfügen
Einfügen</translation>
    </message>
    <message>
        <source>Undo the last action
Undo</source>
        <translation>Die letzte Aktion rückgängig machen
Rückgängig</translation>
    </message>
    <message>
        <source>Open another window for the active picture
New Window</source>
        <translation>Ein weiteres Fenster für das aktive Bild öffnen
Neues Fenster</translation>
    </message>
    <message>
        <source>Arrange icons at the bottom of the window
Arrange Icons</source>
        <translation>Symbole am unteren Fensterrand anordnen
Symbole anordnen</translation>
    </message>
    <message>
        <source>Arrange windows so they overlap
Cascade Windows</source>
        <translation>Fenster überlappend anordnen
Überlappend</translation>
    </message>
    <message>
        <source>Arrange windows as non-overlapping tiles
Tile Windows</source>
        <translation>Fenster nebeneinander anordnen, ohne Überlappung
Nebeneinander</translation>
    </message>
    <message>
        <source>Display program information and version number
About</source>
        <translation>Programminformationen und Versionsnummer anzeigen
Über</translation>
    </message>
    <message>
        <source>Quit the application
Exit</source>
        <translation>Das Programm beenden
Beenden</translation>
    </message>
    <message>
        <source>Open the user guide
Help Topics</source>
        <translation>Das Benutzerhandbuch öffnen
Hilfethemen</translation>
    </message>
    <message>
        <source>Display help for clicked buttons, menus and windows
Help</source>
        <translation>Hilfe zu angeklickten Schaltflächen, Menüs und Fenstern anzeigen
Hilfe</translation>
    </message>
    <message>
        <source>Display help for the current task or command
Help</source>
        <translation>Hilfe zur aktuellen Aufgabe oder zum aktuellen Befehl anzeigen
Hilfe</translation>
    </message>
    <message>
        <source>Switch to the next window pane
Next Pane</source>
        <translation>Zum nächsten Fensterbereich wechseln
Nächster Bereich</translation>
    </message>
    <message>
        <source>Switch back to the previous window pane
Previous Pane</source>
        <translation>Zum vorherigen Fensterbereich zurückwechseln
Vorheriger Bereich</translation>
    </message>
    <message>
        <source>CAP</source>
        <translation>UF</translation>
    </message>
    <message>
        <source>NUM</source>
        <translation>NUM</translation>
    </message>
    <message>
        <source>SCRL</source>
        <translation>RF</translation>
    </message>
    <message>
        <source>Show or hide the toolbar
Toggle ToolBar</source>
        <translation>Die Werkzeugleiste ein- oder ausblenden
Werkzeugleiste ein/aus</translation>
    </message>
    <message>
        <source>Show or hide the status bar
Toggle StatusBar</source>
        <translation>Die Statusleiste ein- oder ausblenden
Statusleiste ein/aus</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>&amp;Open...	Ctrl+O</source>
        <translation>Ö&amp;ffnen...	Strg+O</translation>
    </message>
    <message>
        <source>Open &amp;Folder...</source>
        <translation>&amp;Ordner öffnen...</translation>
    </message>
    <message>
        <source>P&amp;rint Setup...</source>
        <translation>Drucker&amp;einrichtung...</translation>
    </message>
    <message>
        <source>Recent File</source>
        <translation>Zuletzt geöffnete Datei</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>&amp;Schließen</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>&amp;Ansicht</translation>
    </message>
    <message>
        <source>&amp;Toolbar</source>
        <translation>&amp;Werkzeugleiste</translation>
    </message>
    <message>
        <source>&amp;Status Bar</source>
        <translation>&amp;Statusleiste</translation>
    </message>
    <message>
        <source>Slide show</source>
        <translation>Diashow</translation>
    </message>
    <message>
        <source>All Picture &amp;Formats</source>
        <translation>Alle &amp;Bildformate</translation>
    </message>
    <message>
        <source>Database</source>
        <translation>Datenbank</translation>
    </message>
    <message>
        <source>Show Record</source>
        <translation>Datensatz anzeigen</translation>
    </message>
    <message>
        <source>Find Record(s)</source>
        <translation>Datensätze suchen</translation>
    </message>
    <message>
        <source>Delete Record(s)</source>
        <translation>Datensätze löschen</translation>
    </message>
    <message>
        <source>&amp;Check Database</source>
        <translation>Datenbank a&amp;bgleichen</translation>
    </message>
    <message>
        <source>&amp;Verify Database</source>
        <translation>Datenbank auf Schäden &amp;prüfen</translation>
    </message>
    <message>
        <source>Photo &amp;Database...</source>
        <translation>&amp;Fotodatenbank...</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>&amp;Help Topics</source>
        <translation>&amp;Hilfethemen</translation>
    </message>
    <message>
        <source>&amp;About Orvala...</source>
        <translation>Ü&amp;ber Orvala...</translation>
    </message>
    <message>
        <source>Move to &amp;Trash	Del</source>
        <translation>In den &amp;Papierkorb verschieben	Entf</translation>
    </message>
    <message>
        <source>&amp;Print...	Ctrl+P</source>
        <translation>&amp;Drucken...	Strg+P</translation>
    </message>
    <message>
        <source>Print Pre&amp;view</source>
        <translation>Druck&amp;vorschau</translation>
    </message>
    <message>
        <source>Full Size</source>
        <translation>Volle Größe</translation>
    </message>
    <message>
        <source>Mosaic</source>
        <translation>Mosaik</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>Pause</translation>
    </message>
    <message>
        <source>Loop</source>
        <translation>Endlos</translation>
    </message>
    <message>
        <source>Properties</source>
        <translation>Eigenschaften</translation>
    </message>
    <message>
        <source>&amp;Fit to Window	F</source>
        <translation>An &amp;Fenster anpassen	F</translation>
    </message>
    <message>
        <source>Zoom &amp;In	+</source>
        <translation>Ver&amp;größern	+</translation>
    </message>
    <message>
        <source>Zoom &amp;Out	-</source>
        <translation>Ver&amp;kleinern	-</translation>
    </message>
    <message>
        <source>&amp;Actual Size	1</source>
        <translation>&amp;Originalgröße	1</translation>
    </message>
    <message>
        <source>F&amp;ull Screen	F11</source>
        <translation>&amp;Vollbild	F11</translation>
    </message>
    <message>
        <source>Single &amp;Picture	Esc</source>
        <translation>&amp;Einzelbild	Esc</translation>
    </message>
    <message>
        <source>Picture &amp;Information...	Alt+Enter</source>
        <translation>Bild&amp;informationen...	Alt+Enter</translation>
    </message>
    <message>
        <source>&amp;Window</source>
        <translation>&amp;Fenster</translation>
    </message>
    <message>
        <source>&amp;New Window</source>
        <translation>&amp;Neues Fenster</translation>
    </message>
    <message>
        <source>&amp;Cascade</source>
        <translation>Ü&amp;berlappend</translation>
    </message>
    <message>
        <source>&amp;Tile</source>
        <translation>Neben&amp;einander</translation>
    </message>
    <message>
        <source>&amp;Arrange Icons</source>
        <translation>&amp;Symbole anordnen</translation>
    </message>
    <message>
        <source>C&amp;lose All</source>
        <translation>&amp;Alle schließen</translation>
    </message>
    <message>
        <source>&amp;Remove Records	Del</source>
        <translation>Datensätze &amp;entfernen	Entf</translation>
    </message>
    <message>
        <source>&amp;Locate Folder...</source>
        <translation>Ordner &amp;suchen...</translation>
    </message>
    <message>
        <source>&amp;Update Sizes</source>
        <translation>Größen &amp;aktualisieren</translation>
    </message>
    <message>
        <source>Give the records of renamed pictures their new names; no file is touched
Follow Renames</source>
        <translation>Den Datensätzen umbenannter Bilder ihre neuen Namen geben; keine Datei wird angerührt
Umbenennungen folgen</translation>
    </message>
    <message>
        <source>Put the picture moved to the trash last back in its folder, with its record
Undo Move to Trash</source>
        <translation>Das zuletzt in den Papierkorb verschobene Bild mit seinem Datensatz in seinen Ordner zurücklegen
Papierkorb rückgängig</translation>
    </message>
    <message>
        <source>&amp;Undo Move to Trash	Ctrl+Z</source>
        <translation>Verschieben in den Papierkorb &amp;rückgängig	Strg+Z</translation>
    </message>
    <message>
        <source>&amp;Follow Renames</source>
        <translation>&amp;Umbenennungen folgen</translation>
    </message>
</context>
<context>
    <name>SlideShowRules</name>
    <message>
        <source> Slide Show for %1 pictures: </source>
        <translation> Diashow mit %1 Bildern: </translation>
    </message>
    <message>
        <source> Slideshow %1 / %2 </source>
        <translation> Diashow %1 / %2 </translation>
    </message>
    <message>
        <source> Paused...</source>
        <translation> Angehalten...</translation>
    </message>
</context>
</TS>
