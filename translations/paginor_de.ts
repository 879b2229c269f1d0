<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de" sourcelanguage="en">
<context>
    <name>Paginor</name>
    <message>
        <source>Many photographs, one printed page.</source>
        <translation>Viele Fotos, eine gedruckte Seite.</translation>
    </message>
    <message>
        <source>Lays 1 to 16 photographs on a page and prints them with cut marks and captions.</source>
        <translation>Ordnet 1 bis 16 Fotos auf einer Seite an und druckt sie mit Schnittmarken und Bildunterschriften.</translation>
    </message>
    <message>
        <source>The clipboard is currently holding image data.
Do you want to save this data for other applications ?</source>
        <translation>Die Zwischenablage enthält gerade Bilddaten.
Möchten Sie diese Daten für andere Anwendungen behalten?</translation>
    </message>
    <message>
        <source>Do you want the current settings saved as a default ?</source>
        <translation>Sollen die aktuellen Einstellungen als Standard gespeichert werden?</translation>
    </message>
    <message>
        <source>Printer Setup</source>
        <translation>Druckereinrichtung</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Can&apos;t open layout file</source>
        <translation>Die Layoutdatei kann nicht geöffnet werden</translation>
    </message>
    <message>
        <source>Not a Paginor layout file</source>
        <translation>Keine Paginor-Layoutdatei</translation>
    </message>
    <message>
        <source>Save Page</source>
        <translation>Seite speichern</translation>
    </message>
    <message>
        <source>Load Page</source>
        <translation>Seite laden</translation>
    </message>
    <message>
        <source>Saving Page</source>
        <translation>Seite wird gespeichert</translation>
    </message>
    <message>
        <source>Selection Error</source>
        <translation>Auswahlfehler</translation>
    </message>
    <message>
        <source>Drive Error - Unable to save Props file</source>
        <translation>Laufwerksfehler – die Eigenschaftsdatei kann nicht gespeichert werden</translation>
    </message>
    <message>
        <source>Save image file</source>
        <translation>Bilddatei speichern</translation>
    </message>
    <message>
        <source>Saving Image</source>
        <translation>Bild wird gespeichert</translation>
    </message>
    <message>
        <source>Saving Bitmap Image</source>
        <translation>Bitmap-Bild wird gespeichert</translation>
    </message>
    <message>
        <source>Nothing to print!</source>
        <translation>Nichts zu drucken!</translation>
    </message>
    <message>
        <source>Try 4!!</source>
        <translation>Versuchen Sie 4!!</translation>
    </message>
    <message>
        <source>Printing ...</source>
        <translation>Drucken ...</translation>
    </message>
    <message>
        <source>Printing</source>
        <translation>Drucken</translation>
    </message>
    <message>
        <source>Waiting for empty Printer Queue..... </source>
        <translation>Warten, bis die Druckerwarteschlange leer ist..... </translation>
    </message>
    <message>
        <source>Saving Jpeg Image</source>
        <translation>JPEG-Bild wird gespeichert</translation>
    </message>
    <message>
        <source>Saving Bmp Image...</source>
        <translation>BMP-Bild wird gespeichert...</translation>
    </message>
    <message>
        <source>The page is too small for the frames and the gaps between them</source>
        <translation>Die Seite ist zu klein für die Rahmen und die Abstände dazwischen</translation>
    </message>
    <message>
        <source>The page bitmap would be too large: choose a lower resolution</source>
        <translation>Das Seitenbild würde zu groß: wählen Sie eine niedrigere Auflösung</translation>
    </message>
    <message>
        <source>the program the desktop associates with it</source>
        <translation>dem Programm, das der Desktop dafür vorsieht</translation>
    </message>
    <message>
        <source>The picture on the clipboard could not be read</source>
        <translation>Das Bild in der Zwischenablage konnte nicht gelesen werden</translation>
    </message>
    <message>
        <source>All images</source>
        <translation>Alle Bilder</translation>
    </message>
    <message>
        <source>All files</source>
        <translation>Alle Dateien</translation>
    </message>
    <message>
        <source>Load image files - </source>
        <translation>Bilddateien laden – </translation>
    </message>
    <message>
        <source>Add files to list </source>
        <translation>Dateien zur Liste hinzufügen </translation>
    </message>
    <message>
        <source>Sorry : Can&apos;t load images because :
No frames are selected - Select some frames and try again.</source>
        <translation>Bilder können nicht geladen werden, weil:
Keine Rahmen ausgewählt sind – wählen Sie Rahmen aus und versuchen Sie es erneut.</translation>
    </message>
    <message>
        <source>Not a valid image file</source>
        <translation>Keine gültige Bilddatei</translation>
    </message>
    <message>
        <source>Loading Images</source>
        <translation>Bilder werden geladen</translation>
    </message>
    <message>
        <source>Searching folders ....</source>
        <translation>Ordner werden durchsucht ....</translation>
    </message>
    <message>
        <source>Finished Searching folders ....</source>
        <translation>Durchsuchen der Ordner abgeschlossen ....</translation>
    </message>
    <message>
        <source>The file list isn&apos;t empty. 
Do you want to clear the current file list ? 
YES clears the list - No appends to the current list</source>
        <translation>Die Dateiliste ist nicht leer. 
Möchten Sie die aktuelle Dateiliste leeren? 
JA leert die Liste – Nein hängt an die aktuelle Liste an</translation>
    </message>
    <message>
        <source>The image list isn&apos;t empty. 
Do you want to clear the current image list ? 
YES clears the list - No appends to the current list</source>
        <translation>Die Bildliste ist nicht leer. 
Möchten Sie die aktuelle Bildliste leeren? 
JA leert die Liste – Nein hängt an die aktuelle Liste an</translation>
    </message>
    <message>
        <source>Image being processed</source>
        <translation>Bild wird bearbeitet</translation>
    </message>
    <message>
        <source>Not enough resources available to apply curve </source>
        <translation>Nicht genügend Ressourcen, um die Kurve anzuwenden </translation>
    </message>
    <message>
        <source>Applying image correction curve </source>
        <translation>Bildkorrekturkurve wird angewendet </translation>
    </message>
    <message>
        <source> Not enough system resources available - try less frames</source>
        <translation> Nicht genügend Systemressourcen – versuchen Sie weniger Rahmen</translation>
    </message>
    <message>
        <source> Not enough system resources available</source>
        <translation> Nicht genügend Systemressourcen</translation>
    </message>
    <message>
        <source>ODEAR</source>
        <translation>OJE</translation>
    </message>
    <message>
        <source>Aspect ratio is &lt; 0, try rotating the image</source>
        <translation>Seitenverhältnis ist &lt; 0, versuchen Sie, das Bild zu drehen</translation>
    </message>
    <message>
        <source>The stored number of frames is not 1, 2, 4, 8 or 16; using 4</source>
        <translation>Die gespeicherte Rahmenanzahl ist nicht 1, 2, 4, 8 oder 16; es wird 4 verwendet</translation>
    </message>
    <message>
        <source>The stored frame aspect ratio is not usable; using 1.333333</source>
        <translation>Das gespeicherte Seitenverhältnis der Rahmen ist unbrauchbar; es wird 1,333333 verwendet</translation>
    </message>
    <message>
        <source>Updating...</source>
        <translation>Wird aktualisiert...</translation>
    </message>
    <message>
        <source>Jpeg files (*.jpg)</source>
        <translation>JPEG-Dateien (*.jpg)</translation>
    </message>
    <message>
        <source>Bitmap files (*.bmp)</source>
        <translation>Bitmap-Dateien (*.bmp)</translation>
    </message>
    <message>
        <source>Can&apos;t save settings</source>
        <translation>Die Einstellungen können nicht gespeichert werden</translation>
    </message>
    <message>
        <source>Can&apos;t run Paginor because there is no default printer available.
Hint - Install or set up a default printer.</source>
        <translation>Paginor kann nicht starten, weil kein Standarddrucker verfügbar ist.
Tipp – installieren oder richten Sie einen Standarddrucker ein.</translation>
    </message>
    <message>
        <source>Please install a printer</source>
        <translation>Bitte installieren Sie einen Drucker</translation>
    </message>
    <message>
        <source>Selected application </source>
        <translation>Gewählte Anwendung </translation>
    </message>
    <message>
        <source>Application files (*)</source>
        <translation>Anwendungsdateien (*)</translation>
    </message>
    <message>
        <source>Color selection dialog failed to load.</source>
        <translation>Der Farbauswahldialog konnte nicht geladen werden.</translation>
    </message>
    <message>
        <source>Paginor curves (*.tcv)</source>
        <translation>Paginor-Kurven (*.tcv)</translation>
    </message>
    <message>
        <source>Not enough resources available to adjust image</source>
        <translation>Nicht genügend Ressourcen, um das Bild zu bearbeiten</translation>
    </message>
    <message>
        <source>No images selected</source>
        <translation>Keine Bilder ausgewählt</translation>
    </message>
    <message>
        <source>You can only adjust 1 image at a time</source>
        <translation>Es kann immer nur 1 Bild bearbeitet werden</translation>
    </message>
    <message>
        <source>Cannot open the image file</source>
        <translation>Die Bilddatei kann nicht geöffnet werden</translation>
    </message>
    <message>
        <source>Cannot read the image file</source>
        <translation>Die Bilddatei kann nicht gelesen werden</translation>
    </message>
    <message>
        <source>This system has no reader for the image file</source>
        <translation>Dieses System hat kein Lesemodul für die Bilddatei</translation>
    </message>
    <message>
        <source>The image is too large to load</source>
        <translation>Das Bild ist zu groß zum Laden</translation>
    </message>
    <message>
        <source>Corrupt or truncated JPEG data</source>
        <translation>Beschädigte oder unvollständige JPEG-Daten</translation>
    </message>
    <message>
        <source>Cannot write the image file</source>
        <translation>Die Bilddatei kann nicht geschrieben werden</translation>
    </message>
    <message>
        <source>JPEG quality must be between 1 and 100</source>
        <translation>Die JPEG-Qualität muss zwischen 1 und 100 liegen</translation>
    </message>
    <message>
        <source>There is no picture to save</source>
        <translation>Es gibt kein Bild zum Speichern</translation>
    </message>
    <message>
        <source>The picture is too large for a BMP file</source>
        <translation>Das Bild ist zu groß für eine BMP-Datei</translation>
    </message>
    <message>
        <source>A palette file holds no picture</source>
        <translation>Eine Palettendatei enthält kein Bild</translation>
    </message>
    <message>
        <source>The zoom factor must be above 0</source>
        <translation>Der Zoomfaktor muss größer als 0 sein</translation>
    </message>
    <message>
        <source>Can Flip/Reverse only 24-bit bitmap</source>
        <translation>Spiegeln/Umkehren nur bei 24-Bit-Bitmaps möglich</translation>
    </message>
    <message>
        <source>Can Rotate90 only 24-bit bitmap</source>
        <translation>Drehen um 90° nur bei 24-Bit-Bitmaps möglich</translation>
    </message>
    <message>
        <source>Rotate90:  Angle not positive multiple of 90 degrees</source>
        <translation>Drehen um 90°: Winkel ist kein positives Vielfaches von 90 Grad</translation>
    </message>
    <message>
        <source>Can&apos;t resample: the picture and the new size must be at least 1 pixel wide and 2 pixels high</source>
        <translation>Neuberechnung nicht möglich: Bild und neue Größe müssen mindestens 1 Pixel breit und 2 Pixel hoch sein</translation>
    </message>
    <message>
        <source>Can&apos;t resample: the new size is too large</source>
        <translation>Neuberechnung nicht möglich: die neue Größe ist zu groß</translation>
    </message>
    <message>
        <source>Unknown resampling filter</source>
        <translation>Unbekannter Filter für die Neuberechnung</translation>
    </message>
    <message>
        <source>Resampling support out of range</source>
        <translation>Filterbreite der Neuberechnung außerhalb des gültigen Bereichs</translation>
    </message>
    <message>
        <source>Unknown filter style</source>
        <translation>Unbekannte Filterart</translation>
    </message>
    <message>
        <source>Gamma must be a number above 0</source>
        <translation>Gamma muss eine Zahl größer als 0 sein</translation>
    </message>
    <message>
        <source>Can&apos;t fit the picture: the aspect ratio gives no usable width</source>
        <translation>Das Bild kann nicht eingepasst werden: das Seitenverhältnis ergibt keine brauchbare Breite</translation>
    </message>
    <message>
        <source>The source and destination bitmaps differ in size or format</source>
        <translation>Quell- und Ziel-Bitmap unterscheiden sich in Größe oder Format</translation>
    </message>
    <message>
        <source>Only 24-bit and 32-bit bitmaps can be processed</source>
        <translation>Nur 24-Bit- und 32-Bit-Bitmaps können verarbeitet werden</translation>
    </message>
    <message>
        <source>Number of columns should be positive</source>
        <translation>Die Spaltenanzahl muss positiv sein</translation>
    </message>
    <message>
        <source>Number of rows should be positive</source>
        <translation>Die Zeilenanzahl muss positiv sein</translation>
    </message>
    <message>
        <source>Handle size should be in [0..16] range</source>
        <translation>Die Griffgröße muss im Bereich [0..16] liegen</translation>
    </message>
    <message>
        <source>Unexpected string end</source>
        <translation>Unerwartetes Textende</translation>
    </message>
    <message>
        <source>Number expected</source>
        <translation>Zahl erwartet</translation>
    </message>
    <message>
        <source>Number is invalid</source>
        <translation>Ungültige Zahl</translation>
    </message>
    <message>
        <source>Hint - <byte value="xd"/>
You can also use the mouse to<byte value="xd"/>
change the image position.  </source>
        <translation>Tipp – <byte value="xd"/>
Sie können die Bildposition auch<byte value="xd"/>
mit der Maus verschieben.  </translation>
    </message>
    <message>
        <source>Save Curve as </source>
        <translation>Kurve speichern unter </translation>
    </message>
    <message>
        <source>Open Curve</source>
        <translation>Kurve öffnen</translation>
    </message>
    <message>
        <source>Paginor Curves (*.tcv)</source>
        <translation>Paginor-Kurven (*.tcv)</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>Parameter</source>
        <translation>Parameter</translation>
    </message>
    <message>
        <source>Data</source>
        <translation>Daten</translation>
    </message>
    <message>
        <source>Tag #</source>
        <translation>Tag-Nr.</translation>
    </message>
    <message>
        <source>File name</source>
        <translation>Dateiname</translation>
    </message>
    <message>
        <source>Extended Image info (Embedded in jpeg file) </source>
        <translation>Erweiterte Bildinformationen (in der JPEG-Datei eingebettet) </translation>
    </message>
    <message>
        <source>TWAIN Error</source>
        <translation>TWAIN-Fehler</translation>
    </message>
    <message>
        <source>TWAIN_SelectImageSource: window handle is invalid</source>
        <translation>TWAIN_SelectImageSource: Fensterhandle ist ungültig</translation>
    </message>
    <message>
        <source>TWAIN_SelectImageSource: Unable to create proxy window</source>
        <translation>TWAIN_SelectImageSource: Stellvertreterfenster kann nicht erstellt werden</translation>
    </message>
    <message>
        <source>Unable to create proxy window</source>
        <translation>Stellvertreterfenster kann nicht erstellt werden</translation>
    </message>
    <message>
        <source>TWAIN_ReportLastError: an error occurred</source>
        <translation>TWAIN_ReportLastError: ein Fehler ist aufgetreten</translation>
    </message>
    <message>
        <source>Assertion failed</source>
        <translation>Prüfung fehlgeschlagen</translation>
    </message>
    <message>
        <source>Unable to open default Data Source.</source>
        <translation>Die Standard-Datenquelle kann nicht geöffnet werden.</translation>
    </message>
    <message>
        <source>Failed to negotiate Pixel Type.</source>
        <translation>Der Pixeltyp konnte nicht ausgehandelt werden.</translation>
    </message>
    <message>
        <source>Failed to enable Data Source.</source>
        <translation>Die Datenquelle konnte nicht aktiviert werden.</translation>
    </message>
    <message>
        <source>Not enough frames selected to hold all the images sent via TWAIN
The extra images will be ignored</source>
        <translation>Nicht genügend Rahmen ausgewählt für alle per TWAIN gesendeten Bilder
Die übrigen Bilder werden ignoriert</translation>
    </message>
    <message>
        <source>Print anyway?</source>
        <translation>Trotzdem drucken?</translation>
    </message>
    <message>
        <source>its queue will not empty, so nothing was printed</source>
        <translation>ihre Warteschlange wird nicht leer, daher wurde nichts gedruckt</translation>
    </message>
    <message>
        <source>the page waits in its queue until the printer is started again</source>
        <translation>die Seite wartet in der Warteschlange, bis der Drucker wieder gestartet wird</translation>
    </message>
    <message>
        <source>Some stored settings were refused and their defaults are used:</source>
        <translation>Einige gespeicherte Einstellungen wurden abgelehnt; es werden die Standardwerte verwendet:</translation>
    </message>
    <message>
        <source>The help file %1 is missing.</source>
        <translation>Die Hilfedatei %1 fehlt.</translation>
    </message>
    <message>
        <source>%1 Selected</source>
        <translation>%1 ausgewählt</translation>
    </message>
    <message>
        <source>Skipped: %1</source>
        <translation>Übersprungen: %1</translation>
    </message>
    <message>
        <source>Printer : %1</source>
        <translation>Drucker: %1</translation>
    </message>
    <message>
        <source>Not enough memory to load %1</source>
        <translation>Nicht genügend Speicher, um %1 zu laden</translation>
    </message>
    <message>
        <source>Corrupt or truncated JPEG data &apos;%1&apos;: the file is empty</source>
        <translation>Beschädigte oder unvollständige JPEG-Daten &apos;%1&apos;: die Datei ist leer</translation>
    </message>
    <message>
        <source>Frame #%1 is cloned to other frames</source>
        <translation>Rahmen Nr. %1 ist in andere Rahmen kopiert</translation>
    </message>
    <message>
        <source>You can only copy one image at a time to the clipboard
Only image #%1 will be copied</source>
        <translation>Es kann immer nur ein Bild in die Zwischenablage kopiert werden
Nur Bild Nr. %1 wird kopiert</translation>
    </message>
    <message>
        <source>Can&apos;t export pasted images.....
Hint - Try pasting the image into 
%1</source>
        <translation>Eingefügte Bilder können nicht exportiert werden.....
Tipp – fügen Sie das Bild ein in 
%1</translation>
    </message>
    <message>
        <source>Can&apos;t load : 
%1
with %2</source>
        <translation>Kann nicht geladen werden: 
%1
mit %2</translation>
    </message>
    <message>
        <source>Modified file : 
%1
Does not exist </source>
        <translation>Geänderte Datei: 
%1
existiert nicht </translation>
    </message>
    <message>
        <source>Rotating Image%1</source>
        <translation>Bild wird gedreht: %1</translation>
    </message>
    <message>
        <source>Rotating image in frame %1</source>
        <translation>Bild in Rahmen %1 wird gedreht</translation>
    </message>
    <message>
        <source>Adjusting image in frame %1</source>
        <translation>Bild in Rahmen %1 wird angepasst</translation>
    </message>
    <message>
        <source>Resampling image %1 to %2% of original image size</source>
        <translation>Bild %1 wird auf %2% der Originalgröße neu berechnet</translation>
    </message>
    <message>
        <source>Can&apos;t load %1</source>
        <translation>%1 kann nicht geladen werden</translation>
    </message>
    <message>
        <source>Error - Can&apos;t open %1</source>
        <translation>Fehler – %1 kann nicht geöffnet werden</translation>
    </message>
    <message>
        <source>%1 more curve files were left out of &quot;Apply Curves&quot;</source>
        <translation>%1 weitere Kurvendateien wurden bei „Kurven anwenden“ weggelassen</translation>
    </message>
    <message>
        <source>Sorry - This applcation failed whilst initalising frame number %1</source>
        <translation>Leider ist beim Vorbereiten von Rahmen Nr. %1 ein Fehler aufgetreten</translation>
    </message>
    <message>
        <source>%1 images selected </source>
        <translation>%1 Bilder ausgewählt </translation>
    </message>
    <message>
        <source>Can&apos;t open file %1</source>
        <translation>Datei %1 kann nicht geöffnet werden</translation>
    </message>
    <message>
        <source>Can&apos;t write file %1</source>
        <translation>Datei %1 kann nicht geschrieben werden</translation>
    </message>
    <message>
        <source>Frame %1: %2 pixels per inch</source>
        <translation>Rahmen %1: %2 Pixel pro Zoll</translation>
    </message>
    <message>
        <source>Frame %1: %2 pixels per inch on %3</source>
        <translation>Rahmen %1: %2 Pixel pro Zoll auf %3</translation>
    </message>
    <message>
        <source>Frame %1: %2 pixels per inch (below %3)</source>
        <translation>Rahmen %1: %2 Pixel pro Zoll (unter %3)</translation>
    </message>
    <message>
        <source>Frame %1: %2 pixels per inch on %3 (below %4)</source>
        <translation>Rahmen %1: %2 Pixel pro Zoll auf %3 (unter %4)</translation>
    </message>
    <message>
        <source>Frame %1 prints below %2 pixels per inch</source>
        <translation>Rahmen %1 wird mit weniger als %2 Pixel pro Zoll gedruckt</translation>
    </message>
    <message>
        <source>Frames %1 and %2 print below %3 pixels per inch</source>
        <translation>Rahmen %1 und %2 werden mit weniger als %3 Pixel pro Zoll gedruckt</translation>
    </message>
    <message>
        <source>Frame %1 would be cut off by the page margin</source>
        <translation>Rahmen %1 würde vom Seitenrand abgeschnitten</translation>
    </message>
    <message>
        <source>Frames %1 and %2 would be cut off by the page margin</source>
        <translation>Rahmen %1 und %2 würden vom Seitenrand abgeschnitten</translation>
    </message>
    <message>
        <source>Sorry.... %1 frames not yet supported by print option</source>
        <translation>Leider.... %1 Rahmen werden von der Druckfunktion noch nicht unterstützt</translation>
    </message>
    <message>
        <source>Resampling image %1 for printer</source>
        <translation>Bild %1 wird für den Drucker neu berechnet</translation>
    </message>
    <message>
        <source>Resampling image %1 for image file</source>
        <translation>Bild %1 wird für die Bilddatei neu berechnet</translation>
    </message>
    <message>
        <source>Resampling image %1 for preview</source>
        <translation>Bild %1 wird für die Vorschau neu berechnet</translation>
    </message>
    <message>
        <source>Waiting for empty Printer Queue..... (%1 job on %2)</source>
        <translation>Warten, bis die Druckerwarteschlange leer ist..... (%1 Auftrag auf %2)</translation>
    </message>
    <message>
        <source>Waiting for empty Printer Queue..... (%1 jobs on %2)</source>
        <translation>Warten, bis die Druckerwarteschlange leer ist..... (%1 Aufträge auf %2)</translation>
    </message>
    <message>
        <source>The printer %1 is stopped: %2</source>
        <translation>Der Drucker %1 ist angehalten: %2</translation>
    </message>
    <message>
        <source>The printer %1 is stopped (%2): %3</source>
        <translation>Der Drucker %1 ist angehalten (%2): %3</translation>
    </message>
    <message>
        <source>Can&apos;t ask the printer for its queue: %1</source>
        <translation>Die Druckerwarteschlange kann nicht abgefragt werden: %1</translation>
    </message>
    <message>
        <source>Can&apos;t start printing on %1</source>
        <translation>Drucken auf %1 kann nicht gestartet werden</translation>
    </message>
    <message>
        <source>The printer %1 refused the page: %2</source>
        <translation>Der Drucker %1 hat die Seite abgelehnt: %2</translation>
    </message>
    <message>
        <source>The page was stopped before frame %1 was ready</source>
        <translation>Die Seite wurde angehalten, bevor Rahmen %1 fertig war</translation>
    </message>
    <message>
        <source>Can&apos;t write %1: %2</source>
        <translation>%1 kann nicht geschrieben werden: %2</translation>
    </message>
    <message>
        <source>Can&apos;t write %1</source>
        <translation>%1 kann nicht geschrieben werden</translation>
    </message>
    <message>
        <source>Saving Page - Embedding Image %1</source>
        <translation>Seite wird gespeichert – Bild %1 wird eingebettet</translation>
    </message>
    <message>
        <source>Can&apos;t write the layout file %1: %2</source>
        <translation>Die Layoutdatei %1 kann nicht geschrieben werden: %2</translation>
    </message>
    <message>
        <source>Frame %1 holds no picture of its own</source>
        <translation>Rahmen %1 hat kein eigenes Bild</translation>
    </message>
    <message>
        <source>Invalid data type for &apos;%1&apos;</source>
        <translation>Ungültiger Datentyp für &apos;%1&apos;</translation>
    </message>
    <message>
        <source>Invalid value %1 for &apos;%2&apos;: %3</source>
        <translation>Ungültiger Wert %1 für &apos;%2&apos;: %3</translation>
    </message>
    <message>
        <source>must be between %1 and %2</source>
        <translation>muss zwischen %1 und %2 liegen</translation>
    </message>
    <message>
        <source>Invalid value for &apos;%1&apos;: %2</source>
        <translation>Ungültiger Wert für &apos;%1&apos;: %2</translation>
    </message>
    <message>
        <source>There is no default printer: printing goes to %1</source>
        <translation>Es gibt keinen Standarddrucker: gedruckt wird auf %1</translation>
    </message>
    <message>
        <source>Unable to load Source Manager (%1)</source>
        <translation>Der Quellenmanager kann nicht geladen werden (%1)</translation>
    </message>
    <message>
        <source>Unable to open Source Manager (%1)</source>
        <translation>Der Quellenmanager kann nicht geöffnet werden (%1)</translation>
    </message>
    <message>
        <source>The source manager cannot open the device %1</source>
        <translation>Der Quellenmanager kann das Gerät %1 nicht öffnen</translation>
    </message>
    <message>
        <source>The source refused the option %1</source>
        <translation>Die Quelle hat die Option %1 abgelehnt</translation>
    </message>
    <message>
        <source>Delete the other frames before this one. </source>
        <translation>Löschen Sie zuerst die anderen Rahmen. </translation>
    </message>
    <message>
        <source>Do you want to overwrite this file ?</source>
        <translation>Möchten Sie diese Datei überschreiben?</translation>
    </message>
    <message>
        <source>must be 1, 2, 4, 8 or 16</source>
        <translation>muss 1, 2, 4, 8 oder 16 sein</translation>
    </message>
    <message>
        <source>must be a finite number</source>
        <translation>muss eine endliche Zahl sein</translation>
    </message>
    <message>
        <source>must be above 0</source>
        <translation>muss größer als 0 sein</translation>
    </message>
    <message>
        <source>Box</source>
        <translation>Box</translation>
    </message>
    <message>
        <source>Triangle</source>
        <translation>Dreieck</translation>
    </message>
    <message>
        <source>Hermitite</source>
        <translation>Hermite</translation>
    </message>
    <message>
        <source>Bell</source>
        <translation>Glocke</translation>
    </message>
    <message>
        <source>Spline</source>
        <translation>Spline</translation>
    </message>
    <message>
        <source>Lanczos3</source>
        <translation>Lanczos3</translation>
    </message>
    <message>
        <source>Mitchell</source>
        <translation>Mitchell</translation>
    </message>
    <message>
        <source>Don&apos;t Resample </source>
        <translation>Nicht neu berechnen </translation>
    </message>
    <message>
        <source>Use Box Filter</source>
        <translation>Box-Filter verwenden</translation>
    </message>
    <message>
        <source>Use Triangle Filter</source>
        <translation>Dreieck-Filter verwenden</translation>
    </message>
    <message>
        <source>Use Hermitite Filter</source>
        <translation>Hermite-Filter verwenden</translation>
    </message>
    <message>
        <source>Use Bell Filter</source>
        <translation>Glocken-Filter verwenden</translation>
    </message>
    <message>
        <source>Use Spline Filter</source>
        <translation>Spline-Filter verwenden</translation>
    </message>
    <message>
        <source>Use Lanczos3 Filter</source>
        <translation>Lanczos3-Filter verwenden</translation>
    </message>
    <message>
        <source>Use Mitchell Filter</source>
        <translation>Mitchell-Filter verwenden</translation>
    </message>
    <message>
        <source>mm</source>
        <translation>mm</translation>
    </message>
    <message>
        <source>Inch</source>
        <translation>Zoll</translation>
    </message>
    <message>
        <source>None</source>
        <translation>Keine</translation>
    </message>
    <message>
        <source>Select Source</source>
        <translation>Quelle auswählen</translation>
    </message>
    <message>
        <source>Select</source>
        <translation>Auswählen</translation>
    </message>
    <message>
        <source>Sources:</source>
        <translation>Quellen:</translation>
    </message>
    <message>
        <source>Mode:</source>
        <translation>Modus:</translation>
    </message>
    <message>
        <source>Resolution (dpi):</source>
        <translation>Auflösung (dpi):</translation>
    </message>
    <message>
        <source>Source:</source>
        <translation>Quelle:</translation>
    </message>
    <message>
        <source>Scan</source>
        <translation>Scannen</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Scanning failed: %1</source>
        <translation>Scannen fehlgeschlagen: %1</translation>
    </message>
    <message>
        <source>Scan cancelled</source>
        <translation>Scannen abgebrochen</translation>
    </message>
    <message>
        <source>The layout file names frame %1 of a page of %2</source>
        <translation>Die Layoutdatei nennt Rahmen %1 einer Seite mit %2</translation>
    </message>
    <message>
        <source>The clone source of the layout file&apos;s line &quot;%1&quot; is not a number</source>
        <translation>Die Klonquelle der Zeile „%1“ der Layoutdatei ist keine Zahl</translation>
    </message>
    <message>
        <source>The frame number of the layout file&apos;s line &quot;%1&quot; is not a number</source>
        <translation>Die Rahmennummer der Zeile „%1“ der Layoutdatei ist keine Zahl</translation>
    </message>
    <message>
        <source>The frame count of the layout file is not a number: %1</source>
        <translation>Die Rahmenanzahl der Layoutdatei ist keine Zahl: %1</translation>
    </message>
    <message>
        <source>The layout file names a member that is not a plain file name: %1</source>
        <translation>Die Layoutdatei nennt ein Element, das kein einfacher Dateiname ist: %1</translation>
    </message>
    <message>
        <source>The layout file holds more than one member named %1</source>
        <translation>Die Layoutdatei enthält mehr als ein Element namens %1</translation>
    </message>
    <message>
        <source>The layout file&apos;s member %1 cannot be read</source>
        <translation>Das Element %1 der Layoutdatei kann nicht gelesen werden</translation>
    </message>
    <message>
        <source>The layout file&apos;s member %1 cannot be read: %2</source>
        <translation>Das Element %1 der Layoutdatei kann nicht gelesen werden: %2</translation>
    </message>
    <message>
        <source>The layout file&apos;s member %1 would inflate to %2 bytes, more than any picture needs</source>
        <translation>Das Element %1 der Layoutdatei würde auf %2 Byte anwachsen, mehr als ein Bild je braucht</translation>
    </message>
    <message>
        <source>Can&apos;t extract %1 into the temporary folder</source>
        <translation>%1 kann nicht in den temporären Ordner entpackt werden</translation>
    </message>
    <message>
        <source>Can&apos;t make a temporary folder in %1</source>
        <translation>In %1 kann kein temporärer Ordner angelegt werden</translation>
    </message>
    <message>
        <source>There is no printer named &apos;%1&apos;</source>
        <translation>Es gibt keinen Drucker namens &apos;%1&apos;</translation>
    </message>
    <message>
        <source>--set: there is no setting named &apos;%1&apos;</source>
        <translation>--set: es gibt keine Einstellung namens &apos;%1&apos;</translation>
    </message>
    <message>
        <source>N/A</source>
        <translation>k. A.</translation>
    </message>
    <message>
        <source>Image Description</source>
        <translation>Bildbeschreibung</translation>
    </message>
    <message>
        <source>Camera Manufacturer</source>
        <translation>Kamerahersteller</translation>
    </message>
    <message>
        <source>Camera Model</source>
        <translation>Kameramodell</translation>
    </message>
    <message>
        <source>Xres</source>
        <translation>X-Auflösung</translation>
    </message>
    <message>
        <source>Yres</source>
        <translation>Y-Auflösung</translation>
    </message>
    <message>
        <source>Resolution Units</source>
        <translation>Auflösungseinheit</translation>
    </message>
    <message>
        <source>Camera Software version</source>
        <translation>Kamera-Softwareversion</translation>
    </message>
    <message>
        <source>Date/Time (modified)</source>
        <translation>Datum/Uhrzeit (geändert)</translation>
    </message>
    <message>
        <source>Thumbnail Type</source>
        <translation>Vorschaubildtyp</translation>
    </message>
    <message>
        <source>Copyright</source>
        <translation>Copyright</translation>
    </message>
    <message>
        <source>1 / Exposure</source>
        <translation>1 / Belichtungszeit</translation>
    </message>
    <message>
        <source>Aperture (f number)</source>
        <translation>Blende (f-Zahl)</translation>
    </message>
    <message>
        <source>Exif Version</source>
        <translation>Exif-Version</translation>
    </message>
    <message>
        <source>Date/Time (Orig)</source>
        <translation>Datum/Uhrzeit (Aufnahme)</translation>
    </message>
    <message>
        <source>Date/Time (Digitized)</source>
        <translation>Datum/Uhrzeit (digitalisiert)</translation>
    </message>
    <message>
        <source>Jpeg Compression (bits/pixel)</source>
        <translation>JPEG-Kompression (Bit/Pixel)</translation>
    </message>
    <message>
        <source>Shutter Speed</source>
        <translation>Verschlusszeit</translation>
    </message>
    <message>
        <source>Aperture (Calculated)</source>
        <translation>Blende (berechnet)</translation>
    </message>
    <message>
        <source>Aperture (Max)</source>
        <translation>Blende (max.)</translation>
    </message>
    <message>
        <source>Subject distance (m) </source>
        <translation>Motiventfernung (m) </translation>
    </message>
    <message>
        <source>Metering Mode</source>
        <translation>Belichtungsmessung</translation>
    </message>
    <message>
        <source>Light Source</source>
        <translation>Lichtquelle</translation>
    </message>
    <message>
        <source>Flash Used</source>
        <translation>Blitz ausgelöst</translation>
    </message>
    <message>
        <source>Focal Length (mm)</source>
        <translation>Brennweite (mm)</translation>
    </message>
    <message>
        <source>%1 &apos;%2&apos;: %3</source>
        <translation>%1 &apos;%2&apos;: %3</translation>
    </message>
    <message>
        <source>%1 &apos;%2&apos;</source>
        <translation>%1 &apos;%2&apos;</translation>
    </message>
    <message>
        <source>The scanned image is empty</source>
        <translation>Das gescannte Bild ist leer</translation>
    </message>
    <message>
        <source>The scanned image has no bitmap header</source>
        <translation>Das gescannte Bild hat keinen Bitmap-Kopf</translation>
    </message>
    <message>
        <source>The scanned image is compressed</source>
        <translation>Das gescannte Bild ist komprimiert</translation>
    </message>
    <message>
        <source>The scanned image has no usable size</source>
        <translation>Das gescannte Bild hat keine brauchbare Größe</translation>
    </message>
    <message>
        <source>The scanned image has an unknown bit count</source>
        <translation>Das gescannte Bild hat eine unbekannte Bittiefe</translation>
    </message>
    <message>
        <source>The scanned image is shorter than its header says</source>
        <translation>Das gescannte Bild ist kürzer, als sein Kopf angibt</translation>
    </message>
    <message>
        <source>There is no scanned image</source>
        <translation>Es gibt kein gescanntes Bild</translation>
    </message>
    <message>
        <source>Frame %1: No file loaded</source>
        <translation>Rahmen %1: Keine Datei geladen</translation>
    </message>
    <message>
        <source>Frame %1: File %2
%3 AR= %4</source>
        <translation>Rahmen %1: Datei %2
%3 SV= %4</translation>
    </message>
    <message>
        <source>Printer : %1 | Image area : %2 mm x %3 mm  | Page Margin : %4 mm%5</source>
        <translation>Drucker: %1 | Bildbereich: %2 mm x %3 mm  | Seitenrand: %4 mm%5</translation>
    </message>
    <message>
        <source>Printer : %1 | Image area : %2&quot; x %3&quot; | Page Margin : %4&quot;%5</source>
        <translation>Drucker: %1 | Bildbereich: %2&quot; x %3&quot; | Seitenrand: %4&quot;%5</translation>
    </message>
    <message>
        <source>Loading Images%1</source>
        <translation>Bilder werden geladen: %1</translation>
    </message>
    <message>
        <source>The layout file ends before its %1 line</source>
        <translation>Die Layoutdatei endet vor ihrer Zeile „%1“</translation>
    </message>
    <message>
        <source>A frame line of the layout file has no &quot;=&quot;: %1</source>
        <translation>Eine Rahmenzeile der Layoutdatei hat kein „=“: %1</translation>
    </message>
    <message>
        <source>frame count</source>
        <translation>Rahmenanzahl</translation>
    </message>
    <message>
        <source>aspect ratio</source>
        <translation>Seitenverhältnis</translation>
    </message>
    <message>
        <source>margin</source>
        <translation>Rand</translation>
    </message>
    <message>
        <source>The layout file&apos;s member %1 is damaged: %2</source>
        <translation>Das Element %1 der Layoutdatei ist beschädigt: %2</translation>
    </message>
    <message>
        <source>The layout file&apos;s member %1 inflates past the size the archive gives for it</source>
        <translation>Das Element %1 der Layoutdatei wird beim Entpacken größer, als das Archiv angibt</translation>
    </message>
    <message>
        <source>The layout file&apos;s member %1 could not be written to the temporary folder</source>
        <translation>Das Element %1 der Layoutdatei konnte nicht in den temporären Ordner geschrieben werden</translation>
    </message>
    <message>
        <source>The layout file&apos;s member %1 is shorter than the archive says</source>
        <translation>Das Element %1 der Layoutdatei ist kürzer, als das Archiv angibt</translation>
    </message>
    <message>
        <source>Can&apos;t create the print spool file: %1</source>
        <translation>Die Spooldatei für den Druck kann nicht angelegt werden: %1</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is stored more than once (as &apos;%2&apos;); the first is read</source>
        <translation>&apos;%1&apos; ist mehrfach gespeichert (als &apos;%2&apos;); der erste Eintrag wird gelesen</translation>
    </message>
    <message>
        <source>Drag &amp;&amp; Drop
File extension &apos;%1&apos; is not a valid image format</source>
        <translation>Ziehen &amp;&amp; Ablegen
Die Dateiendung &apos;%1&apos; ist kein gültiges Bildformat</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>Not enough memory for a %1 x %2 image</source>
        <translation>Nicht genügend Speicher für ein Bild mit %1 x %2 Pixeln</translation>
    </message>
    <message>
        <source>Can&apos;t open the log file %1: %2</source>
        <translation>Die Protokolldatei %1 kann nicht geöffnet werden: %2</translation>
    </message>
    <message>
        <source>The file %1 already exists on the disk.</source>
        <translation>Die Datei %1 existiert bereits.</translation>
    </message>
    <message>
        <source>Animator Pro pictures and flic cels are not read</source>
        <translation>Animator-Pro-Bilder und Flic-Cels werden nicht gelesen</translation>
    </message>
    <message>
        <source>not an Autodesk Animator picture</source>
        <translation>kein Autodesk-Animator-Bild</translation>
    </message>
    <message>
        <source>only 8-bit uncompressed Animator pictures exist</source>
        <translation>es gibt nur unkomprimierte 8-Bit-Animator-Bilder</translation>
    </message>
    <message>
        <source>the file is truncated</source>
        <translation>die Datei ist unvollständig</translation>
    </message>
    <message>
        <source>too short for a bitmap</source>
        <translation>zu kurz für eine Bitmap</translation>
    </message>
    <message>
        <source>not a device-independent bitmap</source>
        <translation>keine geräteunabhängige Bitmap</translation>
    </message>
    <message>
        <source>not an ordinary file</source>
        <translation>keine gewöhnliche Datei</translation>
    </message>
    <message>
        <source>the file is larger than this machine can hold</source>
        <translation>die Datei ist größer, als dieser Rechner fassen kann</translation>
    </message>
    <message>
        <source>the image has no pixels</source>
        <translation>das Bild hat keine Pixel</translation>
    </message>
    <message>
        <source>%1 x %2 pixels</source>
        <translation>%1 x %2 Pixel</translation>
    </message>
    <message>
        <source>%1 x %2 pixels, more than this machine&apos;s memory</source>
        <translation>%1 x %2 Pixel, mehr als der Speicher dieses Rechners</translation>
    </message>
    <message>
        <source>cannot be opened</source>
        <translation>kann nicht geöffnet werden</translation>
    </message>
    <message>
        <source>too short for an RLA header</source>
        <translation>zu kurz für einen RLA-Kopf</translation>
    </message>
    <message>
        <source>RLA pictures need GraphicsMagick&apos;s gm program</source>
        <translation>RLA-Bilder benötigen das Programm gm von GraphicsMagick</translation>
    </message>
    <message>
        <source>gm did not finish</source>
        <translation>gm wurde nicht beendet</translation>
    </message>
    <message>
        <source>the file is empty</source>
        <translation>die Datei ist leer</translation>
    </message>
    <message>
        <source>Corrupt JPEG data: %1 bytes cannot hold a %2 x %3 picture</source>
        <translation>Beschädigte JPEG-Daten: %1 Byte können kein Bild mit %2 x %3 Pixeln enthalten</translation>
    </message>
    <message>
        <source>no such file</source>
        <translation>Datei nicht vorhanden</translation>
    </message>
    <message>
        <source>the file is truncated (no end-of-page codes)</source>
        <translation>die Datei ist unvollständig (keine Seitenende-Codes)</translation>
    </message>
    <message>
        <source>no picture in the file</source>
        <translation>kein Bild in der Datei</translation>
    </message>
    <message>
        <source>&apos;(&apos; expected but found &apos;%1&apos;</source>
        <translation>&apos;(&apos; erwartet, aber &apos;%1&apos; gefunden</translation>
    </message>
    <message>
        <source>&apos;,&apos; expected but &apos;%1&apos; found</source>
        <translation>&apos;,&apos; erwartet, aber &apos;%1&apos; gefunden</translation>
    </message>
    <message>
        <source>&apos;)&apos; expected but &apos;%1&apos; found</source>
        <translation>&apos;)&apos; erwartet, aber &apos;%1&apos; gefunden</translation>
    </message>
    <message>
        <source>Not enough memory available to finish this command</source>
        <translation>Nicht genügend Arbeitsspeicher, um diesen Befehl abzuschließen</translation>
    </message>
    <message>
        <source>This command stopped on an unexpected error</source>
        <translation>Dieser Befehl wurde durch einen unerwarteten Fehler abgebrochen</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Hilfe</translation>
    </message>
    <message>
        <source>Back</source>
        <translation>Zurück</translation>
    </message>
    <message>
        <source>Forward</source>
        <translation>Vorwärts</translation>
    </message>
    <message>
        <source>Contents</source>
        <translation>Inhalt</translation>
    </message>
    <message>
        <source>Paginor help</source>
        <translation>Paginor-Hilfe</translation>
    </message>
    <message>
        <source>A new number of frames empties the page: the pictures in its frames are dropped.
Change the number of frames?</source>
        <translation>Eine neue Anzahl von Rahmen leert die Seite: Die Bilder in ihren Rahmen werden entfernt.
Anzahl der Rahmen ändern?</translation>
    </message>
    <message>
        <source>The aspect ratio of the layout file is not a number above 0 and up to %1: %2</source>
        <translation>Das Seitenverhältnis der Layoutdatei ist keine Zahl über 0 und bis %1: %2</translation>
    </message>
    <message>
        <source>The margin of the layout file is not a number of millimetres from 0 to %1: %2</source>
        <translation>Der Rand der Layoutdatei ist keine Anzahl Millimeter von 0 bis %1: %2</translation>
    </message>
    <message>
        <source>Paginor layout files  (*.zip *.ZIP)</source>
        <translation>Paginor-Layoutdateien  (*.zip *.ZIP)</translation>
    </message>
    <message>
        <source>Print to image file</source>
        <translation>In Bilddatei drucken</translation>
    </message>
    <message>
        <source>Printed Image file   (*.jpg *.jpeg)</source>
        <translation>Gedruckte Bilddatei   (*.jpg *.jpeg)</translation>
    </message>
    <message>
        <source>Printed Image file  (*.bmp)</source>
        <translation>Gedruckte Bilddatei  (*.bmp)</translation>
    </message>
    <message>
        <source>PDF document (*.pdf)</source>
        <translation>PDF-Dokument (*.pdf)</translation>
    </message>
    <message>
        <source>No scanner was found.</source>
        <translation>Es wurde kein Scanner gefunden.</translation>
    </message>
    <message>
        <source>Look again</source>
        <translation>Erneut suchen</translation>
    </message>
    <message>
        <source>Looking for scanners…</source>
        <translation>Scanner werden gesucht…</translation>
    </message>
</context>
<context>
    <name>app::AboutDialog</name>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>app::MainWindow</name>
    <message>
        <source>Paginor</source>
        <translation>Paginor</translation>
    </message>
    <message>
        <source>&amp;Files</source>
        <translation>&amp;Dateien</translation>
    </message>
    <message>
        <source>&amp;Load Selected</source>
        <translation>Auswahl &amp;laden</translation>
    </message>
    <message>
        <source>Load from TWAIN</source>
        <translation>Über TWAIN laden</translation>
    </message>
    <message>
        <source>Add to file list</source>
        <translation>Zur Dateiliste hinzufügen</translation>
    </message>
    <message>
        <source>Clear File list</source>
        <translation>Dateiliste leeren</translation>
    </message>
    <message>
        <source>&amp;Remove Selected</source>
        <translation>Auswahl &amp;entfernen</translation>
    </message>
    <message>
        <source>Load Page - Zip</source>
        <translation>Seite laden – ZIP</translation>
    </message>
    <message>
        <source>Save Page - Zip</source>
        <translation>Seite speichern – ZIP</translation>
    </message>
    <message>
        <source>&amp;Select</source>
        <translation>&amp;Auswahl</translation>
    </message>
    <message>
        <source>&amp;Select All</source>
        <translation>&amp;Alle auswählen</translation>
    </message>
    <message>
        <source>&amp;DeSelect All</source>
        <translation>Auswahl a&amp;ufheben</translation>
    </message>
    <message>
        <source>&amp;Print</source>
        <translation>&amp;Drucken</translation>
    </message>
    <message>
        <source>Print Preview </source>
        <translation>Druckvorschau </translation>
    </message>
    <message>
        <source>&amp;Print to printer</source>
        <translation>Auf dem &amp;Drucker drucken</translation>
    </message>
    <message>
        <source>Print to image file</source>
        <translation>In Bilddatei drucken</translation>
    </message>
    <message>
        <source>S&amp;etup</source>
        <translation>&amp;Einrichtung</translation>
    </message>
    <message>
        <source>&amp;Settings</source>
        <translation>&amp;Einstellungen</translation>
    </message>
    <message>
        <source>&amp;Printer Setup</source>
        <translation>&amp;Druckereinrichtung</translation>
    </message>
    <message>
        <source>&amp;About</source>
        <translation>Ü&amp;ber</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Hilfe</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>Home Page</source>
        <translation>Homepage</translation>
    </message>
    <message>
        <source>Email</source>
        <translation>E-Mail</translation>
    </message>
    <message>
        <source>load image(s) </source>
        <translation>Bild(er) laden </translation>
    </message>
    <message>
        <source>load image(s) from list</source>
        <translation>Bild(er) aus der Liste laden</translation>
    </message>
    <message>
        <source>remove selected image(s) from frame(s)</source>
        <translation>Ausgewählte Bilder aus den Rahmen entfernen</translation>
    </message>
    <message>
        <source>rotate selected image(s)</source>
        <translation>Ausgewählte Bilder drehen</translation>
    </message>
    <message>
        <source>flip selected image(s) - vertically</source>
        <translation>Ausgewählte Bilder vertikal spiegeln</translation>
    </message>
    <message>
        <source>flip selected image(s) - horizontally</source>
        <translation>Ausgewählte Bilder horizontal spiegeln</translation>
    </message>
    <message>
        <source>set aspect ratio to match selected image</source>
        <translation>Seitenverhältnis an das ausgewählte Bild anpassen</translation>
    </message>
    <message>
        <source>set image size to match
frame size &amp; centre
on selected frames.</source>
        <translation>Bildgröße an die Rahmengröße
anpassen und zentrieren
(ausgewählte Rahmen).</translation>
    </message>
    <message>
        <source>Frames </source>
        <translation>Rahmen </translation>
    </message>
    <message>
        <source>number of frames on page</source>
        <translation>Anzahl der Rahmen auf der Seite</translation>
    </message>
    <message>
        <source>print cut marks</source>
        <translation>Schnittmarken drucken</translation>
    </message>
    <message>
        <source>print image properties in margin</source>
        <translation>Bildeigenschaften im Rand drucken</translation>
    </message>
    <message>
        <source>stop printing </source>
        <translation>Drucken anhalten </translation>
    </message>
    <message>
        <source>print </source>
        <translation>Drucken </translation>
    </message>
    <message>
        <source>print - load - print (from image list)</source>
        <translation>Drucken – laden – drucken (aus der Bildliste)</translation>
    </message>
    <message>
        <source>help </source>
        <translation>Hilfe </translation>
    </message>
    <message>
        <source>Printer : </source>
        <translation>Drucker: </translation>
    </message>
    <message>
        <source>Toolbar</source>
        <translation>Werkzeugleiste</translation>
    </message>
</context>
<context>
    <name>imaging::EditImageWindow</name>
    <message>
        <source>Edit Image </source>
        <translation>Bild bearbeiten </translation>
    </message>
    <message>
        <source>Image details (printed in margins)</source>
        <translation>Bilddetails (werden im Rand gedruckt)</translation>
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
        <source>Paginor </source>
        <translation>Paginor </translation>
    </message>
    <message>
        <source>Image Tools </source>
        <translation>Bildwerkzeuge </translation>
    </message>
    <message>
        <source>Crop &amp;&amp; Zoom </source>
        <translation>Zuschneiden &amp;&amp; Zoomen </translation>
    </message>
    <message>
        <source>Zoom</source>
        <translation>Zoom</translation>
    </message>
    <message>
        <source>Centre</source>
        <translation>Zentrieren</translation>
    </message>
    <message>
        <source>Position</source>
        <translation>Position</translation>
    </message>
    <message>
        <source>X</source>
        <translation>X</translation>
    </message>
    <message>
        <source>Y</source>
        <translation>Y</translation>
    </message>
    <message>
        <source>Resample Filter </source>
        <translation>Filter für Neuberechnung </translation>
    </message>
    <message>
        <source>Sharpen &amp;&amp; Blur</source>
        <translation>Schärfen &amp;&amp; Weichzeichnen</translation>
    </message>
    <message>
        <source>Sharpen</source>
        <translation>Schärfen</translation>
    </message>
    <message>
        <source>Enhance Edges </source>
        <translation>Kanten betonen </translation>
    </message>
    <message>
        <source>Soften </source>
        <translation>Weicher </translation>
    </message>
    <message>
        <source>Blur </source>
        <translation>Weichzeichnen </translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>Anwenden</translation>
    </message>
    <message>
        <source>Brightness</source>
        <translation>Helligkeit</translation>
    </message>
    <message>
        <source>Gamma Curve</source>
        <translation>Gammakurve</translation>
    </message>
    <message>
        <source>Save Curve </source>
        <translation>Kurve speichern </translation>
    </message>
    <message>
        <source>Contrast Curves</source>
        <translation>Kontrastkurven</translation>
    </message>
    <message>
        <source>Edit me!</source>
        <translation>Bearbeite mich!</translation>
    </message>
    <message>
        <source>Load</source>
        <translation>Laden</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Speichern</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>Zurücksetzen</translation>
    </message>
    <message>
        <source>Adjust Color    </source>
        <translation>Farbe anpassen    </translation>
    </message>
    <message>
        <source>Cyan</source>
        <translation>Cyan</translation>
    </message>
    <message>
        <source>Red</source>
        <translation>Rot</translation>
    </message>
    <message>
        <source>Magenta</source>
        <translation>Magenta</translation>
    </message>
    <message>
        <source>Green</source>
        <translation>Grün</translation>
    </message>
    <message>
        <source>Yellow</source>
        <translation>Gelb</translation>
    </message>
    <message>
        <source>Blue</source>
        <translation>Blau</translation>
    </message>
</context>
<context>
    <name>page::FrameCommandsUi</name>
    <message>
        <source>Load</source>
        <translation>Laden</translation>
    </message>
    <message>
        <source>Load from TWAIN</source>
        <translation>Über TWAIN laden</translation>
    </message>
    <message>
        <source>Frame Copy</source>
        <translation>Rahmen kopieren</translation>
    </message>
    <message>
        <source>Frame Paste</source>
        <translation>Rahmen einfügen</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Entfernen</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Kopieren</translation>
    </message>
    <message>
        <source>Paste</source>
        <translation>Einfügen</translation>
    </message>
    <message>
        <source>Reload</source>
        <translation>Neu laden</translation>
    </message>
    <message>
        <source>Original</source>
        <translation>Original</translation>
    </message>
    <message>
        <source>Modified Export (!)</source>
        <translation>Geänderte exportieren (!)</translation>
    </message>
    <message>
        <source>Export Images ... </source>
        <translation>Bilder exportieren ... </translation>
    </message>
    <message>
        <source>Rotate 90°</source>
        <translation>Um 90° drehen</translation>
    </message>
    <message>
        <source>Vertical Flip</source>
        <translation>Vertikal spiegeln</translation>
    </message>
    <message>
        <source>Horizontal Flip</source>
        <translation>Horizontal spiegeln</translation>
    </message>
    <message>
        <source>Grayscale</source>
        <translation>Graustufen</translation>
    </message>
    <message>
        <source>Resample</source>
        <translation>Neu berechnen</translation>
    </message>
    <message>
        <source>Apply Curves</source>
        <translation>Kurven anwenden</translation>
    </message>
    <message>
        <source>Edit Image</source>
        <translation>Bild bearbeiten</translation>
    </message>
    <message>
        <source>Save Frame&apos;s Image</source>
        <translation>Bild des Rahmens speichern</translation>
    </message>
    <message>
        <source>Extended Image Details </source>
        <translation>Erweiterte Bilddetails </translation>
    </message>
    <message>
        <source>Original (%1)</source>
        <translation>Original (%1)</translation>
    </message>
    <message>
        <source>Modified (!%1)</source>
        <translation>Geändert (!%1)</translation>
    </message>
</context>
<context>
    <name>page::ImageLoader</name>
    <message>
        <source> Resample @ %1% </source>
        <translation> Neu berechnet auf %1% </translation>
    </message>
    <message>
        <source> Using &apos;%1&apos; contrast curve</source>
        <translation> mit der Kontrastkurve &apos;%1&apos;</translation>
    </message>
</context>
<context>
    <name>printing::PreviewWindow</name>
    <message>
        <source>Printer Preview</source>
        <translation>Druckvorschau</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>&amp;Ansicht</translation>
    </message>
    <message>
        <source>&amp;Actual Size</source>
        <translation>&amp;Originalgröße</translation>
    </message>
    <message>
        <source>&amp;Fit to Window</source>
        <translation>An &amp;Fenster anpassen</translation>
    </message>
    <message>
        <source>Rotate 90 </source>
        <translation>Um 90° drehen </translation>
    </message>
    <message>
        <source>Prefs</source>
        <translation>Optionen</translation>
    </message>
    <message>
        <source>Auto rotate portrait pages to landscape</source>
        <translation>Hochformatseiten automatisch ins Querformat drehen</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>&amp;Beenden</translation>
    </message>
</context>
<context>
    <name>settings::ResampleDialog</name>
    <message>
        <source>Resample images  </source>
        <translation>Bilder neu berechnen  </translation>
    </message>
    <message>
        <source>Size</source>
        <translation>Größe</translation>
    </message>
    <message>
        <source>%</source>
        <translation>%</translation>
    </message>
    <message>
        <source>of original image size </source>
        <translation>der Originalgröße </translation>
    </message>
    <message>
        <source>Using the </source>
        <translation>Mit dem </translation>
    </message>
    <message>
        <source>filter </source>
        <translation>Filter </translation>
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
    <name>settings::SettingsDialog</name>
    <message>
        <source>Change settings</source>
        <translation>Einstellungen ändern</translation>
    </message>
    <message>
        <source>General </source>
        <translation>Allgemein </translation>
    </message>
    <message>
        <source>Folders &amp;&amp; Files </source>
        <translation>Ordner &amp;&amp; Dateien </translation>
    </message>
    <message>
        <source>Saving Images / Pages</source>
        <translation>Bilder / Seiten speichern</translation>
    </message>
    <message>
        <source>On image load</source>
        <translation>Beim Laden von Bildern</translation>
    </message>
    <message>
        <source>On Print </source>
        <translation>Beim Drucken </translation>
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
        <source>Try to get embedded image data &amp;&amp; print in margins </source>
        <translation>Eingebettete Bilddaten lesen &amp;&amp; im Rand drucken </translation>
    </message>
    <message>
        <source>File name</source>
        <translation>Dateiname</translation>
    </message>
    <message>
        <source>Date dd/mm/yy</source>
        <translation>Datum TT/MM/JJ</translation>
    </message>
    <message>
        <source>Date mm/dd/yy</source>
        <translation>Datum MM/TT/JJ</translation>
    </message>
    <message>
        <source>Time taken</source>
        <translation>Aufnahmezeit</translation>
    </message>
    <message>
        <source>Exposure</source>
        <translation>Belichtung</translation>
    </message>
    <message>
        <source>Flash</source>
        <translation>Blitz</translation>
    </message>
    <message>
        <source>Text string </source>
        <translation>Freier Text </translation>
    </message>
    <message>
        <source>&amp;Image Margins</source>
        <translation>&amp;Bildränder</translation>
    </message>
    <message>
        <source>mm</source>
        <translation>mm</translation>
    </message>
    <message>
        <source>Set Default </source>
        <translation>Als Standard </translation>
    </message>
    <message>
        <source>&amp;Page Margin </source>
        <translation>&amp;Seitenrand </translation>
    </message>
    <message>
        <source>Centre image on paper</source>
        <translation>Bild auf dem Papier zentrieren</translation>
    </message>
    <message>
        <source>Frame Aspect</source>
        <translation>Rahmen-Seitenverhältnis</translation>
    </message>
    <message>
        <source>Set Default</source>
        <translation>Als Standard</translation>
    </message>
    <message>
        <source>Measurement System</source>
        <translation>Maßsystem</translation>
    </message>
    <message>
        <source>Inches</source>
        <translation>Zoll</translation>
    </message>
    <message>
        <source>&amp;Layout area size </source>
        <translation>&amp;Größe des Layoutbereichs </translation>
    </message>
    <message>
        <source>Default Folders </source>
        <translation>Standardordner </translation>
    </message>
    <message>
        <source>Image Folder</source>
        <translation>Bildordner</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Leeren</translation>
    </message>
    <message>
        <source>Curve Folders </source>
        <translation>Kurvenordner </translation>
    </message>
    <message>
        <source>Export images to </source>
        <translation>Bilder exportieren nach </translation>
    </message>
    <message>
        <source>Associated application </source>
        <translation>Zugeordnete Anwendung </translation>
    </message>
    <message>
        <source>Selected application </source>
        <translation>Gewählte Anwendung </translation>
    </message>
    <message>
        <source>Jpeg Quality Setting - for all Jpeg saved files  </source>
        <translation>JPEG-Qualität – für alle gespeicherten JPEG-Dateien  </translation>
    </message>
    <message>
        <source>100 = Best</source>
        <translation>100 = beste</translation>
    </message>
    <message>
        <source>When saving pages - store images as : </source>
        <translation>Beim Speichern von Seiten Bilder ablegen als: </translation>
    </message>
    <message>
        <source>Bmp</source>
        <translation>BMP</translation>
    </message>
    <message>
        <source>Jpg</source>
        <translation>JPG</translation>
    </message>
    <message>
        <source>When saving individual images </source>
        <translation>Beim Speichern einzelner Bilder </translation>
    </message>
    <message>
        <source>Write props file (.VDT)</source>
        <translation>Eigenschaftsdatei schreiben (.VDT)</translation>
    </message>
    <message>
        <source>Show warning dialog box on image load (if any onload options enabled)</source>
        <translation>Beim Laden eine Warnung zeigen (wenn Ladeoptionen aktiv sind)</translation>
    </message>
    <message>
        <source> Apply contrast curve      </source>
        <translation> Kontrastkurve anwenden      </translation>
    </message>
    <message>
        <source>Resample images  </source>
        <translation>Bilder neu berechnen  </translation>
    </message>
    <message>
        <source>to </source>
        <translation>auf </translation>
    </message>
    <message>
        <source> % of original </source>
        <translation> % des Originals </translation>
    </message>
    <message>
        <source>Using the </source>
        <translation>Mit dem </translation>
    </message>
    <message>
        <source>filter </source>
        <translation>Filter </translation>
    </message>
    <message>
        <source>Position </source>
        <translation>Position </translation>
    </message>
    <message>
        <source>Auto rotate</source>
        <translation>Automatisch drehen</translation>
    </message>
    <message>
        <source>Automatically rotates image
files to match frame orientation.</source>
        <translation>Dreht Bilddateien automatisch
passend zur Rahmenausrichtung.</translation>
    </message>
    <message>
        <source>Auto centre</source>
        <translation>Automatisch zentrieren</translation>
    </message>
    <message>
        <source>When folders are Dragged &amp;&amp; Dropped</source>
        <translation>Wenn Ordner per Ziehen &amp;&amp; Ablegen kommen</translation>
    </message>
    <message>
        <source>Check all sub folders </source>
        <translation>Alle Unterordner durchsuchen </translation>
    </message>
    <message>
        <source>Filter</source>
        <translation>Filter</translation>
    </message>
    <message>
        <source>(image) files </source>
        <translation>(Bild-)Dateien </translation>
    </message>
    <message>
        <source>Print (in margins) </source>
        <translation>Drucken (in den Rändern) </translation>
    </message>
    <message>
        <source>Image details </source>
        <translation>Bilddetails </translation>
    </message>
    <message>
        <source>Cut marks</source>
        <translation>Schnittmarken</translation>
    </message>
    <message>
        <source>Fonts</source>
        <translation>Schriften</translation>
    </message>
    <message>
        <source>Colour</source>
        <translation>Farbe</translation>
    </message>
    <message>
        <source>Cut mark Width </source>
        <translation>Breite der Schnittmarken </translation>
    </message>
    <message>
        <source>Resample</source>
        <translation>Neu berechnen</translation>
    </message>
    <message>
        <source>when printing to printer</source>
        <translation>beim Drucken auf den Drucker</translation>
    </message>
    <message>
        <source>Windows print Queue </source>
        <translation>Druckerwarteschlange </translation>
    </message>
    <message>
        <source>Wait until Print Queue is empty before printing</source>
        <translation>Vor dem Drucken warten, bis die Druckerwarteschlange leer ist</translation>
    </message>
    <message>
        <source>Print to image - file characteristics  </source>
        <translation>In Bilddatei drucken – Dateieigenschaften  </translation>
    </message>
    <message>
        <source>Jpeg</source>
        <translation>JPEG</translation>
    </message>
    <message>
        <source>Type </source>
        <translation>Typ </translation>
    </message>
    <message>
        <source>Use the printers </source>
        <translation>Die des Druckers verwenden </translation>
    </message>
    <message>
        <source>Resolution</source>
        <translation>Auflösung</translation>
    </message>
    <message>
        <source>Set to </source>
        <translation>Festlegen auf </translation>
    </message>
    <message>
        <source>dpi</source>
        <translation>dpi</translation>
    </message>
    <message>
        <source>Resample </source>
        <translation>Neu berechnen </translation>
    </message>
    <message>
        <source>Read camera data from any JPEG</source>
        <translation>Kameradaten aus jeder JPEG-Datei lesen</translation>
    </message>
    <message>
        <source>Convert photos with a colour profile to sRGB</source>
        <translation>Fotos mit Farbprofil nach sRGB umwandeln</translation>
    </message>
    <message>
        <source>Long batches</source>
        <translation>Lange Stapel</translation>
    </message>
    <message>
        <source>Pass over files that can&apos;t be read, without a message</source>
        <translation>Unlesbare Dateien ohne Meldung überspringen</translation>
    </message>
    <message>
        <source>Warn below this many pixels per inch (0 = never)</source>
        <translation>Unter so vielen Pixeln pro Zoll warnen (0 = nie)</translation>
    </message>
    <message>
        <source>Ask before printing frames below it</source>
        <translation>Vor dem Drucken von Rahmen darunter fragen</translation>
    </message>
    <message>
        <source>Turn photos upright as their camera recorded</source>
        <translation>Fotos aufrichten, wie die Kamera es festgehalten hat</translation>
    </message>
</context>
<context>
    <name>settings::WarningDialog</name>
    <message>
        <source>Warning - Image Load Settings are active !</source>
        <translation>Warnung – Einstellungen für das Laden von Bildern sind aktiv!</translation>
    </message>
    <message>
        <source>All loaded image files will be </source>
        <translation>Alle geladenen Bilddateien werden </translation>
    </message>
    <message>
        <source>Don&apos;t show this message again </source>
        <translation>Diese Meldung nicht mehr anzeigen </translation>
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
        <source>Resampled @ %1%</source>
        <translation>neu berechnet auf %1%</translation>
    </message>
    <message>
        <source>Re-Contrasted with %1</source>
        <translation>mit %1 im Kontrast angepasst</translation>
    </message>
    <message>
        <source>Autorated</source>
        <translation>automatisch gedreht</translation>
    </message>
    <message>
        <source>AutoCentred</source>
        <translation>automatisch zentriert</translation>
    </message>
</context>
</TS>
