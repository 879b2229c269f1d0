<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="it" sourcelanguage="en">
<context>
    <name>Paginor</name>
    <message>
        <source>Many photographs, one printed page.</source>
        <translation>Tante foto, una sola pagina stampata.</translation>
    </message>
    <message>
        <source>Lays 1 to 16 photographs on a page and prints them with cut marks and captions.</source>
        <translation>Dispone da 1 a 16 foto su una pagina e le stampa con segni di taglio e didascalie.</translation>
    </message>
    <message>
        <source>The clipboard is currently holding image data.
Do you want to save this data for other applications ?</source>
        <translation>Gli appunti contengono al momento dati di immagine.
Vuoi conservarli per altre applicazioni?</translation>
    </message>
    <message>
        <source>Do you want the current settings saved as a default ?</source>
        <translation>Vuoi salvare le impostazioni attuali come predefinite?</translation>
    </message>
    <message>
        <source>Printer Setup</source>
        <translation>Impostazione stampante</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Can&apos;t open layout file</source>
        <translation>Impossibile aprire il file di layout</translation>
    </message>
    <message>
        <source>Not a Paginor layout file</source>
        <translation>Non è un file di layout di Paginor</translation>
    </message>
    <message>
        <source>Save Page</source>
        <translation>Salva pagina</translation>
    </message>
    <message>
        <source>Load Page</source>
        <translation>Carica pagina</translation>
    </message>
    <message>
        <source>Saving Page</source>
        <translation>Salvataggio della pagina</translation>
    </message>
    <message>
        <source>Selection Error</source>
        <translation>Errore di selezione</translation>
    </message>
    <message>
        <source>Drive Error - Unable to save Props file</source>
        <translation>Errore del disco: impossibile salvare il file delle proprietà</translation>
    </message>
    <message>
        <source>Save image file</source>
        <translation>Salva file immagine</translation>
    </message>
    <message>
        <source>Saving Image</source>
        <translation>Salvataggio dell&apos;immagine</translation>
    </message>
    <message>
        <source>Saving Bitmap Image</source>
        <translation>Salvataggio dell&apos;immagine bitmap</translation>
    </message>
    <message>
        <source>Nothing to print!</source>
        <translation>Niente da stampare!</translation>
    </message>
    <message>
        <source>Try 4!!</source>
        <translation>Prova con 4!!</translation>
    </message>
    <message>
        <source>Printing ...</source>
        <translation>Stampa in corso ...</translation>
    </message>
    <message>
        <source>Printing</source>
        <translation>Stampa</translation>
    </message>
    <message>
        <source>Waiting for empty Printer Queue..... </source>
        <translation>In attesa che la coda di stampa sia vuota..... </translation>
    </message>
    <message>
        <source>Saving Jpeg Image</source>
        <translation>Salvataggio dell&apos;immagine JPEG</translation>
    </message>
    <message>
        <source>Saving Bmp Image...</source>
        <translation>Salvataggio dell&apos;immagine BMP...</translation>
    </message>
    <message>
        <source>The page is too small for the frames and the gaps between them</source>
        <translation>La pagina è troppo piccola per le cornici e gli spazi tra di esse</translation>
    </message>
    <message>
        <source>The page bitmap would be too large: choose a lower resolution</source>
        <translation>L&apos;immagine della pagina sarebbe troppo grande: scegli una risoluzione più bassa</translation>
    </message>
    <message>
        <source>the program the desktop associates with it</source>
        <translation>il programma che il desktop vi associa</translation>
    </message>
    <message>
        <source>The picture on the clipboard could not be read</source>
        <translation>Impossibile leggere l&apos;immagine negli appunti</translation>
    </message>
    <message>
        <source>All images</source>
        <translation>Tutte le immagini</translation>
    </message>
    <message>
        <source>All files</source>
        <translation>Tutti i file</translation>
    </message>
    <message>
        <source>Load image files - </source>
        <translation>Carica file immagine – </translation>
    </message>
    <message>
        <source>Add files to list </source>
        <translation>Aggiungi file all&apos;elenco </translation>
    </message>
    <message>
        <source>Sorry : Can&apos;t load images because :
No frames are selected - Select some frames and try again.</source>
        <translation>Impossibile caricare le immagini perché:
Nessuna cornice è selezionata. Seleziona alcune cornici e riprova.</translation>
    </message>
    <message>
        <source>Not a valid image file</source>
        <translation>Non è un file immagine valido</translation>
    </message>
    <message>
        <source>Loading Images</source>
        <translation>Caricamento delle immagini</translation>
    </message>
    <message>
        <source>Searching folders ....</source>
        <translation>Ricerca nelle cartelle ....</translation>
    </message>
    <message>
        <source>Finished Searching folders ....</source>
        <translation>Ricerca nelle cartelle completata ....</translation>
    </message>
    <message>
        <source>The file list isn&apos;t empty. 
Do you want to clear the current file list ? 
YES clears the list - No appends to the current list</source>
        <translation>L&apos;elenco dei file non è vuoto. 
Vuoi svuotare l&apos;elenco dei file attuale? 
SÌ svuota l&apos;elenco, No aggiunge all&apos;elenco attuale</translation>
    </message>
    <message>
        <source>The image list isn&apos;t empty. 
Do you want to clear the current image list ? 
YES clears the list - No appends to the current list</source>
        <translation>L&apos;elenco delle immagini non è vuoto. 
Vuoi svuotare l&apos;elenco delle immagini attuale? 
SÌ svuota l&apos;elenco, No aggiunge all&apos;elenco attuale</translation>
    </message>
    <message>
        <source>Image being processed</source>
        <translation>Elaborazione dell&apos;immagine</translation>
    </message>
    <message>
        <source>Not enough resources available to apply curve </source>
        <translation>Risorse insufficienti per applicare la curva </translation>
    </message>
    <message>
        <source>Applying image correction curve </source>
        <translation>Applicazione della curva di correzione </translation>
    </message>
    <message>
        <source> Not enough system resources available - try less frames</source>
        <translation> Risorse di sistema insufficienti: prova con meno cornici</translation>
    </message>
    <message>
        <source> Not enough system resources available</source>
        <translation> Risorse di sistema insufficienti</translation>
    </message>
    <message>
        <source>ODEAR</source>
        <translation>ACCIDENTI</translation>
    </message>
    <message>
        <source>Aspect ratio is &lt; 0, try rotating the image</source>
        <translation>Le proporzioni sono &lt; 0: prova a ruotare l&apos;immagine</translation>
    </message>
    <message>
        <source>The stored number of frames is not 1, 2, 4, 8 or 16; using 4</source>
        <translation>Il numero di cornici salvato non è 1, 2, 4, 8 o 16; si usa 4</translation>
    </message>
    <message>
        <source>The stored frame aspect ratio is not usable; using 1.333333</source>
        <translation>Le proporzioni delle cornici salvate non sono utilizzabili; si usa 1,333333</translation>
    </message>
    <message>
        <source>Updating...</source>
        <translation>Aggiornamento...</translation>
    </message>
    <message>
        <source>Jpeg files (*.jpg)</source>
        <translation>File JPEG (*.jpg)</translation>
    </message>
    <message>
        <source>Bitmap files (*.bmp)</source>
        <translation>File bitmap (*.bmp)</translation>
    </message>
    <message>
        <source>Can&apos;t save settings</source>
        <translation>Impossibile salvare le impostazioni</translation>
    </message>
    <message>
        <source>Can&apos;t run Paginor because there is no default printer available.
Hint - Install or set up a default printer.</source>
        <translation>Impossibile avviare Paginor perché non è disponibile una stampante predefinita.
Suggerimento: installa o configura una stampante predefinita.</translation>
    </message>
    <message>
        <source>Please install a printer</source>
        <translation>Installa una stampante</translation>
    </message>
    <message>
        <source>Selected application </source>
        <translation>Applicazione scelta </translation>
    </message>
    <message>
        <source>Application files (*)</source>
        <translation>File di applicazione (*)</translation>
    </message>
    <message>
        <source>Color selection dialog failed to load.</source>
        <translation>Impossibile caricare la finestra di selezione del colore.</translation>
    </message>
    <message>
        <source>Paginor curves (*.tcv)</source>
        <translation>Curve di Paginor (*.tcv)</translation>
    </message>
    <message>
        <source>Not enough resources available to adjust image</source>
        <translation>Risorse insufficienti per regolare l&apos;immagine</translation>
    </message>
    <message>
        <source>No images selected</source>
        <translation>Nessuna immagine selezionata</translation>
    </message>
    <message>
        <source>You can only adjust 1 image at a time</source>
        <translation>Puoi regolare solo 1 immagine alla volta</translation>
    </message>
    <message>
        <source>Cannot open the image file</source>
        <translation>Impossibile aprire il file immagine</translation>
    </message>
    <message>
        <source>Cannot read the image file</source>
        <translation>Impossibile leggere il file immagine</translation>
    </message>
    <message>
        <source>This system has no reader for the image file</source>
        <translation>Questo sistema non ha un lettore per il file immagine</translation>
    </message>
    <message>
        <source>The image is too large to load</source>
        <translation>L&apos;immagine è troppo grande per essere caricata</translation>
    </message>
    <message>
        <source>Corrupt or truncated JPEG data</source>
        <translation>Dati JPEG danneggiati o troncati</translation>
    </message>
    <message>
        <source>Cannot write the image file</source>
        <translation>Impossibile scrivere il file immagine</translation>
    </message>
    <message>
        <source>JPEG quality must be between 1 and 100</source>
        <translation>La qualità JPEG deve essere compresa tra 1 e 100</translation>
    </message>
    <message>
        <source>There is no picture to save</source>
        <translation>Non c&apos;è nessuna immagine da salvare</translation>
    </message>
    <message>
        <source>The picture is too large for a BMP file</source>
        <translation>L&apos;immagine è troppo grande per un file BMP</translation>
    </message>
    <message>
        <source>A palette file holds no picture</source>
        <translation>Un file di tavolozza non contiene immagini</translation>
    </message>
    <message>
        <source>The zoom factor must be above 0</source>
        <translation>Il fattore di zoom deve essere maggiore di 0</translation>
    </message>
    <message>
        <source>Can Flip/Reverse only 24-bit bitmap</source>
        <translation>Si possono capovolgere/invertire solo bitmap a 24 bit</translation>
    </message>
    <message>
        <source>Can Rotate90 only 24-bit bitmap</source>
        <translation>Si possono ruotare di 90° solo bitmap a 24 bit</translation>
    </message>
    <message>
        <source>Rotate90:  Angle not positive multiple of 90 degrees</source>
        <translation>Rotazione di 90°: l&apos;angolo non è un multiplo positivo di 90 gradi</translation>
    </message>
    <message>
        <source>Can&apos;t resample: the picture and the new size must be at least 1 pixel wide and 2 pixels high</source>
        <translation>Impossibile ricampionare: l&apos;immagine e la nuova dimensione devono essere larghe almeno 1 pixel e alte almeno 2</translation>
    </message>
    <message>
        <source>Can&apos;t resample: the new size is too large</source>
        <translation>Impossibile ricampionare: la nuova dimensione è troppo grande</translation>
    </message>
    <message>
        <source>Unknown resampling filter</source>
        <translation>Filtro di ricampionamento sconosciuto</translation>
    </message>
    <message>
        <source>Resampling support out of range</source>
        <translation>Supporto del ricampionamento fuori intervallo</translation>
    </message>
    <message>
        <source>Unknown filter style</source>
        <translation>Tipo di filtro sconosciuto</translation>
    </message>
    <message>
        <source>Gamma must be a number above 0</source>
        <translation>La gamma deve essere un numero maggiore di 0</translation>
    </message>
    <message>
        <source>Can&apos;t fit the picture: the aspect ratio gives no usable width</source>
        <translation>Impossibile adattare l&apos;immagine: le proporzioni non danno una larghezza utilizzabile</translation>
    </message>
    <message>
        <source>The source and destination bitmaps differ in size or format</source>
        <translation>Le bitmap di origine e di destinazione differiscono per dimensione o formato</translation>
    </message>
    <message>
        <source>Only 24-bit and 32-bit bitmaps can be processed</source>
        <translation>Si possono elaborare solo bitmap a 24 e 32 bit</translation>
    </message>
    <message>
        <source>Number of columns should be positive</source>
        <translation>Il numero di colonne deve essere positivo</translation>
    </message>
    <message>
        <source>Number of rows should be positive</source>
        <translation>Il numero di righe deve essere positivo</translation>
    </message>
    <message>
        <source>Handle size should be in [0..16] range</source>
        <translation>La dimensione delle maniglie deve essere nell&apos;intervallo [0..16]</translation>
    </message>
    <message>
        <source>Unexpected string end</source>
        <translation>Fine del testo inattesa</translation>
    </message>
    <message>
        <source>Number expected</source>
        <translation>Atteso un numero</translation>
    </message>
    <message>
        <source>Number is invalid</source>
        <translation>Numero non valido</translation>
    </message>
    <message>
        <source>Hint - <byte value="xd"/>
You can also use the mouse to<byte value="xd"/>
change the image position.  </source>
        <translation>Suggerimento: <byte value="xd"/>
Puoi anche usare il mouse per<byte value="xd"/>
cambiare la posizione dell&apos;immagine.  </translation>
    </message>
    <message>
        <source>Save Curve as </source>
        <translation>Salva curva come </translation>
    </message>
    <message>
        <source>Open Curve</source>
        <translation>Apri curva</translation>
    </message>
    <message>
        <source>Paginor Curves (*.tcv)</source>
        <translation>Curve di Paginor (*.tcv)</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>&amp;Esci</translation>
    </message>
    <message>
        <source>Parameter</source>
        <translation>Parametro</translation>
    </message>
    <message>
        <source>Data</source>
        <translation>Dati</translation>
    </message>
    <message>
        <source>Tag #</source>
        <translation>Tag n.</translation>
    </message>
    <message>
        <source>File name</source>
        <translation>Nome file</translation>
    </message>
    <message>
        <source>Extended Image info (Embedded in jpeg file) </source>
        <translation>Informazioni estese sull&apos;immagine (incorporate nel file JPEG) </translation>
    </message>
    <message>
        <source>TWAIN Error</source>
        <translation>Errore TWAIN</translation>
    </message>
    <message>
        <source>TWAIN_SelectImageSource: window handle is invalid</source>
        <translation>TWAIN_SelectImageSource: l&apos;handle della finestra non è valido</translation>
    </message>
    <message>
        <source>TWAIN_SelectImageSource: Unable to create proxy window</source>
        <translation>TWAIN_SelectImageSource: impossibile creare la finestra intermedia</translation>
    </message>
    <message>
        <source>Unable to create proxy window</source>
        <translation>Impossibile creare la finestra intermedia</translation>
    </message>
    <message>
        <source>TWAIN_ReportLastError: an error occurred</source>
        <translation>TWAIN_ReportLastError: si è verificato un errore</translation>
    </message>
    <message>
        <source>Assertion failed</source>
        <translation>Verifica interna non riuscita</translation>
    </message>
    <message>
        <source>Unable to open default Data Source.</source>
        <translation>Impossibile aprire la sorgente dati predefinita.</translation>
    </message>
    <message>
        <source>Failed to negotiate Pixel Type.</source>
        <translation>Impossibile negoziare il tipo di pixel.</translation>
    </message>
    <message>
        <source>Failed to enable Data Source.</source>
        <translation>Impossibile attivare la sorgente dati.</translation>
    </message>
    <message>
        <source>Not enough frames selected to hold all the images sent via TWAIN
The extra images will be ignored</source>
        <translation>Non ci sono abbastanza cornici selezionate per tutte le immagini ricevute via TWAIN
Le immagini in più verranno ignorate</translation>
    </message>
    <message>
        <source>Print anyway?</source>
        <translation>Stampare comunque?</translation>
    </message>
    <message>
        <source>its queue will not empty, so nothing was printed</source>
        <translation>la sua coda non si svuoterà, quindi non è stato stampato nulla</translation>
    </message>
    <message>
        <source>the page waits in its queue until the printer is started again</source>
        <translation>la pagina attende in coda finché la stampante non viene riavviata</translation>
    </message>
    <message>
        <source>Some stored settings were refused and their defaults are used:</source>
        <translation>Alcune impostazioni salvate sono state rifiutate e si usano i valori predefiniti:</translation>
    </message>
    <message>
        <source>The help file %1 is missing.</source>
        <translation>Il file della guida %1 non esiste.</translation>
    </message>
    <message>
        <source>%1 Selected</source>
        <translation>%1 selezionato</translation>
    </message>
    <message>
        <source>Skipped: %1</source>
        <translation>Saltato: %1</translation>
    </message>
    <message>
        <source>Printer : %1</source>
        <translation>Stampante: %1</translation>
    </message>
    <message>
        <source>Not enough memory to load %1</source>
        <translation>Memoria insufficiente per caricare %1</translation>
    </message>
    <message>
        <source>Corrupt or truncated JPEG data &apos;%1&apos;: the file is empty</source>
        <translation>Dati JPEG danneggiati o troncati &apos;%1&apos;: il file è vuoto</translation>
    </message>
    <message>
        <source>Frame #%1 is cloned to other frames</source>
        <translation>La cornice n. %1 è duplicata in altre cornici</translation>
    </message>
    <message>
        <source>You can only copy one image at a time to the clipboard
Only image #%1 will be copied</source>
        <translation>Puoi copiare negli appunti una sola immagine alla volta
Verrà copiata solo l&apos;immagine n. %1</translation>
    </message>
    <message>
        <source>Can&apos;t export pasted images.....
Hint - Try pasting the image into 
%1</source>
        <translation>Impossibile esportare le immagini incollate.....
Suggerimento: prova a incollare l&apos;immagine in 
%1</translation>
    </message>
    <message>
        <source>Can&apos;t load : 
%1
with %2</source>
        <translation>Impossibile caricare: 
%1
con %2</translation>
    </message>
    <message>
        <source>Modified file : 
%1
Does not exist </source>
        <translation>File modificato: 
%1
non esiste </translation>
    </message>
    <message>
        <source>Rotating Image%1</source>
        <translation>Rotazione dell&apos;immagine %1</translation>
    </message>
    <message>
        <source>Rotating image in frame %1</source>
        <translation>Rotazione dell&apos;immagine nella cornice %1</translation>
    </message>
    <message>
        <source>Adjusting image in frame %1</source>
        <translation>Regolazione dell&apos;immagine nella cornice %1</translation>
    </message>
    <message>
        <source>Resampling image %1 to %2% of original image size</source>
        <translation>Ricampionamento dell&apos;immagine %1 al %2% delle dimensioni originali</translation>
    </message>
    <message>
        <source>Can&apos;t load %1</source>
        <translation>Impossibile caricare %1</translation>
    </message>
    <message>
        <source>Error - Can&apos;t open %1</source>
        <translation>Errore: impossibile aprire %1</translation>
    </message>
    <message>
        <source>%1 more curve files were left out of &quot;Apply Curves&quot;</source>
        <translation>%1 altri file di curva sono stati esclusi da «Applica curve»</translation>
    </message>
    <message>
        <source>Sorry - This applcation failed whilst initalising frame number %1</source>
        <translation>Spiacenti: l&apos;applicazione non è riuscita a inizializzare la cornice n. %1</translation>
    </message>
    <message>
        <source>%1 images selected </source>
        <translation>%1 immagini selezionate </translation>
    </message>
    <message>
        <source>Can&apos;t open file %1</source>
        <translation>Impossibile aprire il file %1</translation>
    </message>
    <message>
        <source>Can&apos;t write file %1</source>
        <translation>Impossibile scrivere il file %1</translation>
    </message>
    <message>
        <source>Frame %1: %2 pixels per inch</source>
        <translation>Cornice %1: %2 pixel per pollice</translation>
    </message>
    <message>
        <source>Frame %1: %2 pixels per inch on %3</source>
        <translation>Cornice %1: %2 pixel per pollice su %3</translation>
    </message>
    <message>
        <source>Frame %1: %2 pixels per inch (below %3)</source>
        <translation>Cornice %1: %2 pixel per pollice (sotto %3)</translation>
    </message>
    <message>
        <source>Frame %1: %2 pixels per inch on %3 (below %4)</source>
        <translation>Cornice %1: %2 pixel per pollice su %3 (sotto %4)</translation>
    </message>
    <message>
        <source>Frame %1 prints below %2 pixels per inch</source>
        <translation>La cornice %1 viene stampata a meno di %2 pixel per pollice</translation>
    </message>
    <message>
        <source>Frames %1 and %2 print below %3 pixels per inch</source>
        <translation>Le cornici %1 e %2 vengono stampate a meno di %3 pixel per pollice</translation>
    </message>
    <message>
        <source>Frame %1 would be cut off by the page margin</source>
        <translation>La cornice %1 verrebbe tagliata dal margine della pagina</translation>
    </message>
    <message>
        <source>Frames %1 and %2 would be cut off by the page margin</source>
        <translation>Le cornici %1 e %2 verrebbero tagliate dal margine della pagina</translation>
    </message>
    <message>
        <source>Sorry.... %1 frames not yet supported by print option</source>
        <translation>Spiacenti.... %1 cornici non sono ancora supportate in stampa</translation>
    </message>
    <message>
        <source>Resampling image %1 for printer</source>
        <translation>Ricampionamento dell&apos;immagine %1 per la stampante</translation>
    </message>
    <message>
        <source>Resampling image %1 for image file</source>
        <translation>Ricampionamento dell&apos;immagine %1 per il file immagine</translation>
    </message>
    <message>
        <source>Resampling image %1 for preview</source>
        <translation>Ricampionamento dell&apos;immagine %1 per l&apos;anteprima</translation>
    </message>
    <message>
        <source>Waiting for empty Printer Queue..... (%1 job on %2)</source>
        <translation>In attesa che la coda di stampa sia vuota..... (%1 lavoro su %2)</translation>
    </message>
    <message>
        <source>Waiting for empty Printer Queue..... (%1 jobs on %2)</source>
        <translation>In attesa che la coda di stampa sia vuota..... (%1 lavori su %2)</translation>
    </message>
    <message>
        <source>The printer %1 is stopped: %2</source>
        <translation>La stampante %1 è ferma: %2</translation>
    </message>
    <message>
        <source>The printer %1 is stopped (%2): %3</source>
        <translation>La stampante %1 è ferma (%2): %3</translation>
    </message>
    <message>
        <source>Can&apos;t ask the printer for its queue: %1</source>
        <translation>Impossibile interrogare la coda della stampante: %1</translation>
    </message>
    <message>
        <source>Can&apos;t start printing on %1</source>
        <translation>Impossibile avviare la stampa su %1</translation>
    </message>
    <message>
        <source>The printer %1 refused the page: %2</source>
        <translation>La stampante %1 ha rifiutato la pagina: %2</translation>
    </message>
    <message>
        <source>The page was stopped before frame %1 was ready</source>
        <translation>La pagina è stata interrotta prima che la cornice %1 fosse pronta</translation>
    </message>
    <message>
        <source>Can&apos;t write %1: %2</source>
        <translation>Impossibile scrivere %1: %2</translation>
    </message>
    <message>
        <source>Can&apos;t write %1</source>
        <translation>Impossibile scrivere %1</translation>
    </message>
    <message>
        <source>Saving Page - Embedding Image %1</source>
        <translation>Salvataggio della pagina – incorporazione dell&apos;immagine %1</translation>
    </message>
    <message>
        <source>Can&apos;t write the layout file %1: %2</source>
        <translation>Impossibile scrivere il file di layout %1: %2</translation>
    </message>
    <message>
        <source>Frame %1 holds no picture of its own</source>
        <translation>La cornice %1 non contiene un&apos;immagine propria</translation>
    </message>
    <message>
        <source>Invalid data type for &apos;%1&apos;</source>
        <translation>Tipo di dati non valido per &apos;%1&apos;</translation>
    </message>
    <message>
        <source>Invalid value %1 for &apos;%2&apos;: %3</source>
        <translation>Valore %1 non valido per &apos;%2&apos;: %3</translation>
    </message>
    <message>
        <source>must be between %1 and %2</source>
        <translation>deve essere compreso tra %1 e %2</translation>
    </message>
    <message>
        <source>Invalid value for &apos;%1&apos;: %2</source>
        <translation>Valore non valido per &apos;%1&apos;: %2</translation>
    </message>
    <message>
        <source>There is no default printer: printing goes to %1</source>
        <translation>Non c&apos;è una stampante predefinita: si stampa su %1</translation>
    </message>
    <message>
        <source>Unable to load Source Manager (%1)</source>
        <translation>Impossibile caricare il gestore delle sorgenti (%1)</translation>
    </message>
    <message>
        <source>Unable to open Source Manager (%1)</source>
        <translation>Impossibile aprire il gestore delle sorgenti (%1)</translation>
    </message>
    <message>
        <source>The source manager cannot open the device %1</source>
        <translation>Il gestore delle sorgenti non può aprire il dispositivo %1</translation>
    </message>
    <message>
        <source>The source refused the option %1</source>
        <translation>La sorgente ha rifiutato l&apos;opzione %1</translation>
    </message>
    <message>
        <source>Delete the other frames before this one. </source>
        <translation>Elimina prima le altre cornici. </translation>
    </message>
    <message>
        <source>Do you want to overwrite this file ?</source>
        <translation>Vuoi sovrascrivere questo file?</translation>
    </message>
    <message>
        <source>must be 1, 2, 4, 8 or 16</source>
        <translation>deve essere 1, 2, 4, 8 o 16</translation>
    </message>
    <message>
        <source>must be a finite number</source>
        <translation>deve essere un numero finito</translation>
    </message>
    <message>
        <source>must be above 0</source>
        <translation>deve essere maggiore di 0</translation>
    </message>
    <message>
        <source>Box</source>
        <translation>Box</translation>
    </message>
    <message>
        <source>Triangle</source>
        <translation>Triangolo</translation>
    </message>
    <message>
        <source>Hermitite</source>
        <translation>Hermite</translation>
    </message>
    <message>
        <source>Bell</source>
        <translation>Campana</translation>
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
        <translation>Non ricampionare </translation>
    </message>
    <message>
        <source>Use Box Filter</source>
        <translation>Usa il filtro Box</translation>
    </message>
    <message>
        <source>Use Triangle Filter</source>
        <translation>Usa il filtro Triangolo</translation>
    </message>
    <message>
        <source>Use Hermitite Filter</source>
        <translation>Usa il filtro Hermite</translation>
    </message>
    <message>
        <source>Use Bell Filter</source>
        <translation>Usa il filtro Campana</translation>
    </message>
    <message>
        <source>Use Spline Filter</source>
        <translation>Usa il filtro Spline</translation>
    </message>
    <message>
        <source>Use Lanczos3 Filter</source>
        <translation>Usa il filtro Lanczos3</translation>
    </message>
    <message>
        <source>Use Mitchell Filter</source>
        <translation>Usa il filtro Mitchell</translation>
    </message>
    <message>
        <source>mm</source>
        <translation>mm</translation>
    </message>
    <message>
        <source>Inch</source>
        <translation>Pollice</translation>
    </message>
    <message>
        <source>None</source>
        <translation>Nessuno</translation>
    </message>
    <message>
        <source>Select Source</source>
        <translation>Seleziona sorgente</translation>
    </message>
    <message>
        <source>Select</source>
        <translation>Seleziona</translation>
    </message>
    <message>
        <source>Sources:</source>
        <translation>Sorgenti:</translation>
    </message>
    <message>
        <source>Mode:</source>
        <translation>Modalità:</translation>
    </message>
    <message>
        <source>Resolution (dpi):</source>
        <translation>Risoluzione (dpi):</translation>
    </message>
    <message>
        <source>Source:</source>
        <translation>Sorgente:</translation>
    </message>
    <message>
        <source>Scan</source>
        <translation>Scansiona</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annulla</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Chiudi</translation>
    </message>
    <message>
        <source>Scanning failed: %1</source>
        <translation>Scansione non riuscita: %1</translation>
    </message>
    <message>
        <source>Scan cancelled</source>
        <translation>Scansione annullata</translation>
    </message>
    <message>
        <source>The layout file names frame %1 of a page of %2</source>
        <translation>Il file di layout indica la cornice %1 di una pagina da %2</translation>
    </message>
    <message>
        <source>The clone source of the layout file&apos;s line &quot;%1&quot; is not a number</source>
        <translation>L&apos;origine della copia della riga «%1» del file di layout non è un numero</translation>
    </message>
    <message>
        <source>The frame number of the layout file&apos;s line &quot;%1&quot; is not a number</source>
        <translation>Il numero di cornice della riga «%1» del file di layout non è un numero</translation>
    </message>
    <message>
        <source>The frame count of the layout file is not a number: %1</source>
        <translation>Il numero di cornici del file di layout non è un numero: %1</translation>
    </message>
    <message>
        <source>The layout file names a member that is not a plain file name: %1</source>
        <translation>Il file di layout indica un elemento che non è un semplice nome di file: %1</translation>
    </message>
    <message>
        <source>The layout file holds more than one member named %1</source>
        <translation>Il file di layout contiene più di un elemento di nome %1</translation>
    </message>
    <message>
        <source>The layout file&apos;s member %1 cannot be read</source>
        <translation>Impossibile leggere l&apos;elemento %1 del file di layout</translation>
    </message>
    <message>
        <source>The layout file&apos;s member %1 cannot be read: %2</source>
        <translation>Impossibile leggere l&apos;elemento %1 del file di layout: %2</translation>
    </message>
    <message>
        <source>The layout file&apos;s member %1 would inflate to %2 bytes, more than any picture needs</source>
        <translation>L&apos;elemento %1 del file di layout occuperebbe %2 byte una volta decompresso, più di quanto serva a qualsiasi immagine</translation>
    </message>
    <message>
        <source>Can&apos;t extract %1 into the temporary folder</source>
        <translation>Impossibile estrarre %1 nella cartella temporanea</translation>
    </message>
    <message>
        <source>Can&apos;t make a temporary folder in %1</source>
        <translation>Impossibile creare una cartella temporanea in %1</translation>
    </message>
    <message>
        <source>There is no printer named &apos;%1&apos;</source>
        <translation>Non esiste una stampante di nome &apos;%1&apos;</translation>
    </message>
    <message>
        <source>--set: there is no setting named &apos;%1&apos;</source>
        <translation>--set: non esiste un&apos;impostazione di nome &apos;%1&apos;</translation>
    </message>
    <message>
        <source>N/A</source>
        <translation>N/D</translation>
    </message>
    <message>
        <source>Image Description</source>
        <translation>Descrizione immagine</translation>
    </message>
    <message>
        <source>Camera Manufacturer</source>
        <translation>Produttore fotocamera</translation>
    </message>
    <message>
        <source>Camera Model</source>
        <translation>Modello fotocamera</translation>
    </message>
    <message>
        <source>Xres</source>
        <translation>Risoluzione X</translation>
    </message>
    <message>
        <source>Yres</source>
        <translation>Risoluzione Y</translation>
    </message>
    <message>
        <source>Resolution Units</source>
        <translation>Unità di risoluzione</translation>
    </message>
    <message>
        <source>Camera Software version</source>
        <translation>Versione software fotocamera</translation>
    </message>
    <message>
        <source>Date/Time (modified)</source>
        <translation>Data/ora (modifica)</translation>
    </message>
    <message>
        <source>Thumbnail Type</source>
        <translation>Tipo di miniatura</translation>
    </message>
    <message>
        <source>Copyright</source>
        <translation>Copyright</translation>
    </message>
    <message>
        <source>1 / Exposure</source>
        <translation>1 / esposizione</translation>
    </message>
    <message>
        <source>Aperture (f number)</source>
        <translation>Apertura (numero f)</translation>
    </message>
    <message>
        <source>Exif Version</source>
        <translation>Versione Exif</translation>
    </message>
    <message>
        <source>Date/Time (Orig)</source>
        <translation>Data/ora (scatto)</translation>
    </message>
    <message>
        <source>Date/Time (Digitized)</source>
        <translation>Data/ora (digitalizzazione)</translation>
    </message>
    <message>
        <source>Jpeg Compression (bits/pixel)</source>
        <translation>Compressione JPEG (bit/pixel)</translation>
    </message>
    <message>
        <source>Shutter Speed</source>
        <translation>Tempo di scatto</translation>
    </message>
    <message>
        <source>Aperture (Calculated)</source>
        <translation>Apertura (calcolata)</translation>
    </message>
    <message>
        <source>Aperture (Max)</source>
        <translation>Apertura (max)</translation>
    </message>
    <message>
        <source>Subject distance (m) </source>
        <translation>Distanza soggetto (m) </translation>
    </message>
    <message>
        <source>Metering Mode</source>
        <translation>Modalità esposimetro</translation>
    </message>
    <message>
        <source>Light Source</source>
        <translation>Sorgente luminosa</translation>
    </message>
    <message>
        <source>Flash Used</source>
        <translation>Flash usato</translation>
    </message>
    <message>
        <source>Focal Length (mm)</source>
        <translation>Lunghezza focale (mm)</translation>
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
        <translation>L&apos;immagine acquisita è vuota</translation>
    </message>
    <message>
        <source>The scanned image has no bitmap header</source>
        <translation>L&apos;immagine acquisita non ha un&apos;intestazione bitmap</translation>
    </message>
    <message>
        <source>The scanned image is compressed</source>
        <translation>L&apos;immagine acquisita è compressa</translation>
    </message>
    <message>
        <source>The scanned image has no usable size</source>
        <translation>L&apos;immagine acquisita non ha dimensioni utilizzabili</translation>
    </message>
    <message>
        <source>The scanned image has an unknown bit count</source>
        <translation>L&apos;immagine acquisita ha una profondità di bit sconosciuta</translation>
    </message>
    <message>
        <source>The scanned image is shorter than its header says</source>
        <translation>L&apos;immagine acquisita è più corta di quanto indichi la sua intestazione</translation>
    </message>
    <message>
        <source>There is no scanned image</source>
        <translation>Non c&apos;è nessuna immagine acquisita</translation>
    </message>
    <message>
        <source>Frame %1: No file loaded</source>
        <translation>Cornice %1: nessun file caricato</translation>
    </message>
    <message>
        <source>Frame %1: File %2
%3 AR= %4</source>
        <translation>Cornice %1: file %2
%3 P= %4</translation>
    </message>
    <message>
        <source>Printer : %1 | Image area : %2 mm x %3 mm  | Page Margin : %4 mm%5</source>
        <translation>Stampante: %1 | Area immagine: %2 mm x %3 mm  | Margine pagina: %4 mm%5</translation>
    </message>
    <message>
        <source>Printer : %1 | Image area : %2&quot; x %3&quot; | Page Margin : %4&quot;%5</source>
        <translation>Stampante: %1 | Area immagine: %2&quot; x %3&quot; | Margine pagina: %4&quot;%5</translation>
    </message>
    <message>
        <source>Loading Images%1</source>
        <translation>Caricamento delle immagini %1</translation>
    </message>
    <message>
        <source>The layout file ends before its %1 line</source>
        <translation>Il file di layout termina prima della riga «%1»</translation>
    </message>
    <message>
        <source>A frame line of the layout file has no &quot;=&quot;: %1</source>
        <translation>Una riga di cornice del file di layout non ha «=»: %1</translation>
    </message>
    <message>
        <source>frame count</source>
        <translation>numero di cornici</translation>
    </message>
    <message>
        <source>aspect ratio</source>
        <translation>proporzioni</translation>
    </message>
    <message>
        <source>margin</source>
        <translation>margine</translation>
    </message>
    <message>
        <source>The layout file&apos;s member %1 is damaged: %2</source>
        <translation>L&apos;elemento %1 del file di layout è danneggiato: %2</translation>
    </message>
    <message>
        <source>The layout file&apos;s member %1 inflates past the size the archive gives for it</source>
        <translation>L&apos;elemento %1 del file di layout, decompresso, supera la dimensione indicata dall&apos;archivio</translation>
    </message>
    <message>
        <source>The layout file&apos;s member %1 could not be written to the temporary folder</source>
        <translation>Impossibile scrivere l&apos;elemento %1 del file di layout nella cartella temporanea</translation>
    </message>
    <message>
        <source>The layout file&apos;s member %1 is shorter than the archive says</source>
        <translation>L&apos;elemento %1 del file di layout è più corto di quanto indichi l&apos;archivio</translation>
    </message>
    <message>
        <source>Can&apos;t create the print spool file: %1</source>
        <translation>Impossibile creare il file di spool di stampa: %1</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is stored more than once (as &apos;%2&apos;); the first is read</source>
        <translation>&apos;%1&apos; è salvato più volte (come &apos;%2&apos;); si legge il primo</translation>
    </message>
    <message>
        <source>Drag &amp;&amp; Drop
File extension &apos;%1&apos; is not a valid image format</source>
        <translation>Trascina e rilascia
L&apos;estensione di file &apos;%1&apos; non è un formato immagine valido</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>Not enough memory for a %1 x %2 image</source>
        <translation>Memoria insufficiente per un&apos;immagine di %1 x %2</translation>
    </message>
    <message>
        <source>Can&apos;t open the log file %1: %2</source>
        <translation>Impossibile aprire il file di registro %1: %2</translation>
    </message>
    <message>
        <source>The file %1 already exists on the disk.</source>
        <translation>Il file %1 esiste già sul disco.</translation>
    </message>
    <message>
        <source>Animator Pro pictures and flic cels are not read</source>
        <translation>Le immagini Animator Pro e le cel flic non vengono lette</translation>
    </message>
    <message>
        <source>not an Autodesk Animator picture</source>
        <translation>non è un&apos;immagine Autodesk Animator</translation>
    </message>
    <message>
        <source>only 8-bit uncompressed Animator pictures exist</source>
        <translation>esistono solo immagini Animator a 8 bit non compresse</translation>
    </message>
    <message>
        <source>the file is truncated</source>
        <translation>il file è troncato</translation>
    </message>
    <message>
        <source>too short for a bitmap</source>
        <translation>troppo corto per una bitmap</translation>
    </message>
    <message>
        <source>not a device-independent bitmap</source>
        <translation>non è una bitmap indipendente dal dispositivo</translation>
    </message>
    <message>
        <source>not an ordinary file</source>
        <translation>non è un file normale</translation>
    </message>
    <message>
        <source>the file is larger than this machine can hold</source>
        <translation>il file è più grande di quanto questo computer possa contenere</translation>
    </message>
    <message>
        <source>the image has no pixels</source>
        <translation>l&apos;immagine non ha pixel</translation>
    </message>
    <message>
        <source>%1 x %2 pixels</source>
        <translation>%1 x %2 pixel</translation>
    </message>
    <message>
        <source>%1 x %2 pixels, more than this machine&apos;s memory</source>
        <translation>%1 x %2 pixel, più della memoria di questo computer</translation>
    </message>
    <message>
        <source>cannot be opened</source>
        <translation>non può essere aperto</translation>
    </message>
    <message>
        <source>too short for an RLA header</source>
        <translation>troppo corto per un&apos;intestazione RLA</translation>
    </message>
    <message>
        <source>RLA pictures need GraphicsMagick&apos;s gm program</source>
        <translation>le immagini RLA richiedono il programma gm di GraphicsMagick</translation>
    </message>
    <message>
        <source>gm did not finish</source>
        <translation>gm non è terminato</translation>
    </message>
    <message>
        <source>the file is empty</source>
        <translation>il file è vuoto</translation>
    </message>
    <message>
        <source>Corrupt JPEG data: %1 bytes cannot hold a %2 x %3 picture</source>
        <translation>Dati JPEG danneggiati: %1 byte non possono contenere un&apos;immagine di %2 x %3</translation>
    </message>
    <message>
        <source>no such file</source>
        <translation>file inesistente</translation>
    </message>
    <message>
        <source>the file is truncated (no end-of-page codes)</source>
        <translation>il file è troncato (nessun codice di fine pagina)</translation>
    </message>
    <message>
        <source>no picture in the file</source>
        <translation>nessuna immagine nel file</translation>
    </message>
    <message>
        <source>&apos;(&apos; expected but found &apos;%1&apos;</source>
        <translation>Atteso &apos;(&apos; ma trovato &apos;%1&apos;</translation>
    </message>
    <message>
        <source>&apos;,&apos; expected but &apos;%1&apos; found</source>
        <translation>Atteso &apos;,&apos; ma trovato &apos;%1&apos;</translation>
    </message>
    <message>
        <source>&apos;)&apos; expected but &apos;%1&apos; found</source>
        <translation>Atteso &apos;)&apos; ma trovato &apos;%1&apos;</translation>
    </message>
    <message>
        <source>Not enough memory available to finish this command</source>
        <translation>Memoria insufficiente per completare questo comando</translation>
    </message>
    <message>
        <source>This command stopped on an unexpected error</source>
        <translation>Questo comando si è interrotto per un errore imprevisto</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Guida</translation>
    </message>
    <message>
        <source>Back</source>
        <translation>Indietro</translation>
    </message>
    <message>
        <source>Forward</source>
        <translation>Avanti</translation>
    </message>
    <message>
        <source>Contents</source>
        <translation>Indice</translation>
    </message>
    <message>
        <source>Paginor help</source>
        <translation>Guida di Paginor</translation>
    </message>
    <message>
        <source>A new number of frames empties the page: the pictures in its frames are dropped.
Change the number of frames?</source>
        <translation>Un nuovo numero di cornici svuota la pagina: le immagini nelle cornici vengono tolte.
Cambiare il numero di cornici?</translation>
    </message>
    <message>
        <source>The aspect ratio of the layout file is not a number above 0 and up to %1: %2</source>
        <translation>Il rapporto d’aspetto del file di layout non è un numero maggiore di 0 e fino a %1: %2</translation>
    </message>
    <message>
        <source>The margin of the layout file is not a number of millimetres from 0 to %1: %2</source>
        <translation>Il margine del file di layout non è un numero di millimetri da 0 a %1: %2</translation>
    </message>
    <message>
        <source>Paginor layout files  (*.zip *.ZIP)</source>
        <translation>File di layout di Paginor  (*.zip *.ZIP)</translation>
    </message>
    <message>
        <source>Print to image file</source>
        <translation>Stampa su file immagine</translation>
    </message>
    <message>
        <source>Printed Image file   (*.jpg *.jpeg)</source>
        <translation>File immagine stampato   (*.jpg *.jpeg)</translation>
    </message>
    <message>
        <source>Printed Image file  (*.bmp)</source>
        <translation>File immagine stampato  (*.bmp)</translation>
    </message>
    <message>
        <source>PDF document (*.pdf)</source>
        <translation>Documento PDF (*.pdf)</translation>
    </message>
    <message>
        <source>No scanner was found.</source>
        <translation>Non è stato trovato alcuno scanner.</translation>
    </message>
    <message>
        <source>Look again</source>
        <translation>Cerca di nuovo</translation>
    </message>
    <message>
        <source>Looking for scanners…</source>
        <translation>Ricerca degli scanner…</translation>
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
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>&amp;Load Selected</source>
        <translation>&amp;Carica nella selezione</translation>
    </message>
    <message>
        <source>Load from TWAIN</source>
        <translation>Carica da TWAIN</translation>
    </message>
    <message>
        <source>Add to file list</source>
        <translation>Aggiungi all&apos;elenco dei file</translation>
    </message>
    <message>
        <source>Clear File list</source>
        <translation>Svuota l&apos;elenco dei file</translation>
    </message>
    <message>
        <source>&amp;Remove Selected</source>
        <translation>&amp;Rimuovi selezione</translation>
    </message>
    <message>
        <source>Load Page - Zip</source>
        <translation>Carica pagina – ZIP</translation>
    </message>
    <message>
        <source>Save Page - Zip</source>
        <translation>Salva pagina – ZIP</translation>
    </message>
    <message>
        <source>&amp;Select</source>
        <translation>&amp;Selezione</translation>
    </message>
    <message>
        <source>&amp;Select All</source>
        <translation>Seleziona &amp;tutto</translation>
    </message>
    <message>
        <source>&amp;DeSelect All</source>
        <translation>&amp;Deseleziona tutto</translation>
    </message>
    <message>
        <source>&amp;Print</source>
        <translation>&amp;Stampa</translation>
    </message>
    <message>
        <source>Print Preview </source>
        <translation>Anteprima di stampa </translation>
    </message>
    <message>
        <source>&amp;Print to printer</source>
        <translation>&amp;Stampa sulla stampante</translation>
    </message>
    <message>
        <source>Print to image file</source>
        <translation>Stampa su file immagine</translation>
    </message>
    <message>
        <source>S&amp;etup</source>
        <translation>&amp;Configurazione</translation>
    </message>
    <message>
        <source>&amp;Settings</source>
        <translation>&amp;Impostazioni</translation>
    </message>
    <message>
        <source>&amp;Printer Setup</source>
        <translation>Impostazione s&amp;tampante</translation>
    </message>
    <message>
        <source>&amp;About</source>
        <translation>&amp;Informazioni</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Guida</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>&amp;Esci</translation>
    </message>
    <message>
        <source>Home Page</source>
        <translation>Pagina iniziale</translation>
    </message>
    <message>
        <source>Email</source>
        <translation>E-mail</translation>
    </message>
    <message>
        <source>load image(s) </source>
        <translation>Carica immagini </translation>
    </message>
    <message>
        <source>load image(s) from list</source>
        <translation>Carica immagini dall&apos;elenco</translation>
    </message>
    <message>
        <source>remove selected image(s) from frame(s)</source>
        <translation>Rimuovi le immagini selezionate dalle cornici</translation>
    </message>
    <message>
        <source>rotate selected image(s)</source>
        <translation>Ruota le immagini selezionate</translation>
    </message>
    <message>
        <source>flip selected image(s) - vertically</source>
        <translation>Capovolgi verticalmente le immagini selezionate</translation>
    </message>
    <message>
        <source>flip selected image(s) - horizontally</source>
        <translation>Capovolgi orizzontalmente le immagini selezionate</translation>
    </message>
    <message>
        <source>set aspect ratio to match selected image</source>
        <translation>Adatta le proporzioni all&apos;immagine selezionata</translation>
    </message>
    <message>
        <source>set image size to match
frame size &amp; centre
on selected frames.</source>
        <translation>Adatta le dimensioni dell&apos;immagine
a quelle della cornice e centra
(cornici selezionate).</translation>
    </message>
    <message>
        <source>Frames </source>
        <translation>Cornici </translation>
    </message>
    <message>
        <source>number of frames on page</source>
        <translation>Numero di cornici sulla pagina</translation>
    </message>
    <message>
        <source>print cut marks</source>
        <translation>Stampa i segni di taglio</translation>
    </message>
    <message>
        <source>print image properties in margin</source>
        <translation>Stampa le proprietà dell&apos;immagine nel margine</translation>
    </message>
    <message>
        <source>stop printing </source>
        <translation>Interrompi la stampa </translation>
    </message>
    <message>
        <source>print </source>
        <translation>Stampa </translation>
    </message>
    <message>
        <source>print - load - print (from image list)</source>
        <translation>Stampa – carica – stampa (dall&apos;elenco delle immagini)</translation>
    </message>
    <message>
        <source>help </source>
        <translation>Guida </translation>
    </message>
    <message>
        <source>Printer : </source>
        <translation>Stampante: </translation>
    </message>
    <message>
        <source>Toolbar</source>
        <translation>Barra degli strumenti</translation>
    </message>
</context>
<context>
    <name>imaging::EditImageWindow</name>
    <message>
        <source>Edit Image </source>
        <translation>Modifica immagine </translation>
    </message>
    <message>
        <source>Image details (printed in margins)</source>
        <translation>Dettagli dell&apos;immagine (stampati nei margini)</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annulla</translation>
    </message>
    <message>
        <source>Paginor </source>
        <translation>Paginor </translation>
    </message>
    <message>
        <source>Image Tools </source>
        <translation>Strumenti immagine </translation>
    </message>
    <message>
        <source>Crop &amp;&amp; Zoom </source>
        <translation>Ritaglia &amp;&amp; zoom </translation>
    </message>
    <message>
        <source>Zoom</source>
        <translation>Zoom</translation>
    </message>
    <message>
        <source>Centre</source>
        <translation>Centra</translation>
    </message>
    <message>
        <source>Position</source>
        <translation>Posizione</translation>
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
        <translation>Filtro di ricampionamento </translation>
    </message>
    <message>
        <source>Sharpen &amp;&amp; Blur</source>
        <translation>Nitidezza &amp;&amp; sfocatura</translation>
    </message>
    <message>
        <source>Sharpen</source>
        <translation>Aumenta nitidezza</translation>
    </message>
    <message>
        <source>Enhance Edges </source>
        <translation>Esalta i contorni </translation>
    </message>
    <message>
        <source>Soften </source>
        <translation>Ammorbidisci </translation>
    </message>
    <message>
        <source>Blur </source>
        <translation>Sfoca </translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>Applica</translation>
    </message>
    <message>
        <source>Brightness</source>
        <translation>Luminosità</translation>
    </message>
    <message>
        <source>Gamma Curve</source>
        <translation>Curva gamma</translation>
    </message>
    <message>
        <source>Save Curve </source>
        <translation>Salva curva </translation>
    </message>
    <message>
        <source>Contrast Curves</source>
        <translation>Curve di contrasto</translation>
    </message>
    <message>
        <source>Edit me!</source>
        <translation>Modificami!</translation>
    </message>
    <message>
        <source>Load</source>
        <translation>Carica</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Salva</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>Ripristina</translation>
    </message>
    <message>
        <source>Adjust Color    </source>
        <translation>Regola colore    </translation>
    </message>
    <message>
        <source>Cyan</source>
        <translation>Ciano</translation>
    </message>
    <message>
        <source>Red</source>
        <translation>Rosso</translation>
    </message>
    <message>
        <source>Magenta</source>
        <translation>Magenta</translation>
    </message>
    <message>
        <source>Green</source>
        <translation>Verde</translation>
    </message>
    <message>
        <source>Yellow</source>
        <translation>Giallo</translation>
    </message>
    <message>
        <source>Blue</source>
        <translation>Blu</translation>
    </message>
</context>
<context>
    <name>page::FrameCommandsUi</name>
    <message>
        <source>Load</source>
        <translation>Carica</translation>
    </message>
    <message>
        <source>Load from TWAIN</source>
        <translation>Carica da TWAIN</translation>
    </message>
    <message>
        <source>Frame Copy</source>
        <translation>Copia cornice</translation>
    </message>
    <message>
        <source>Frame Paste</source>
        <translation>Incolla cornice</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Rimuovi</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Copia</translation>
    </message>
    <message>
        <source>Paste</source>
        <translation>Incolla</translation>
    </message>
    <message>
        <source>Reload</source>
        <translation>Ricarica</translation>
    </message>
    <message>
        <source>Original</source>
        <translation>Originale</translation>
    </message>
    <message>
        <source>Modified Export (!)</source>
        <translation>Esporta modificata (!)</translation>
    </message>
    <message>
        <source>Export Images ... </source>
        <translation>Esporta immagini ... </translation>
    </message>
    <message>
        <source>Rotate 90°</source>
        <translation>Ruota di 90°</translation>
    </message>
    <message>
        <source>Vertical Flip</source>
        <translation>Capovolgi verticalmente</translation>
    </message>
    <message>
        <source>Horizontal Flip</source>
        <translation>Capovolgi orizzontalmente</translation>
    </message>
    <message>
        <source>Grayscale</source>
        <translation>Scala di grigi</translation>
    </message>
    <message>
        <source>Resample</source>
        <translation>Ricampiona</translation>
    </message>
    <message>
        <source>Apply Curves</source>
        <translation>Applica curve</translation>
    </message>
    <message>
        <source>Edit Image</source>
        <translation>Modifica immagine</translation>
    </message>
    <message>
        <source>Save Frame&apos;s Image</source>
        <translation>Salva l&apos;immagine della cornice</translation>
    </message>
    <message>
        <source>Extended Image Details </source>
        <translation>Dettagli estesi dell&apos;immagine </translation>
    </message>
    <message>
        <source>Original (%1)</source>
        <translation>Originale (%1)</translation>
    </message>
    <message>
        <source>Modified (!%1)</source>
        <translation>Modificata (!%1)</translation>
    </message>
</context>
<context>
    <name>page::ImageLoader</name>
    <message>
        <source> Resample @ %1% </source>
        <translation> Ricampionata al %1% </translation>
    </message>
    <message>
        <source> Using &apos;%1&apos; contrast curve</source>
        <translation> con la curva di contrasto &apos;%1&apos;</translation>
    </message>
</context>
<context>
    <name>printing::PreviewWindow</name>
    <message>
        <source>Printer Preview</source>
        <translation>Anteprima di stampa</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>&amp;Visualizza</translation>
    </message>
    <message>
        <source>&amp;Actual Size</source>
        <translation>Dimensioni &amp;reali</translation>
    </message>
    <message>
        <source>&amp;Fit to Window</source>
        <translation>&amp;Adatta alla finestra</translation>
    </message>
    <message>
        <source>Rotate 90 </source>
        <translation>Ruota di 90° </translation>
    </message>
    <message>
        <source>Prefs</source>
        <translation>Preferenze</translation>
    </message>
    <message>
        <source>Auto rotate portrait pages to landscape</source>
        <translation>Ruota automaticamente le pagine verticali in orizzontale</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>&amp;Esci</translation>
    </message>
</context>
<context>
    <name>settings::ResampleDialog</name>
    <message>
        <source>Resample images  </source>
        <translation>Ricampiona immagini  </translation>
    </message>
    <message>
        <source>Size</source>
        <translation>Dimensione</translation>
    </message>
    <message>
        <source>%</source>
        <translation>%</translation>
    </message>
    <message>
        <source>of original image size </source>
        <translation>delle dimensioni originali </translation>
    </message>
    <message>
        <source>Using the </source>
        <translation>Con il filtro </translation>
    </message>
    <message>
        <source>filter </source>
        <translation> </translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annulla</translation>
    </message>
</context>
<context>
    <name>settings::SettingsDialog</name>
    <message>
        <source>Change settings</source>
        <translation>Modifica impostazioni</translation>
    </message>
    <message>
        <source>General </source>
        <translation>Generale </translation>
    </message>
    <message>
        <source>Folders &amp;&amp; Files </source>
        <translation>Cartelle &amp;&amp; file </translation>
    </message>
    <message>
        <source>Saving Images / Pages</source>
        <translation>Salvataggio immagini / pagine</translation>
    </message>
    <message>
        <source>On image load</source>
        <translation>Al caricamento delle immagini</translation>
    </message>
    <message>
        <source>On Print </source>
        <translation>In stampa </translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annulla</translation>
    </message>
    <message>
        <source>Try to get embedded image data &amp;&amp; print in margins </source>
        <translation>Leggi i dati incorporati nell&apos;immagine &amp;&amp; stampali nei margini </translation>
    </message>
    <message>
        <source>File name</source>
        <translation>Nome file</translation>
    </message>
    <message>
        <source>Date dd/mm/yy</source>
        <translation>Data gg/mm/aa</translation>
    </message>
    <message>
        <source>Date mm/dd/yy</source>
        <translation>Data mm/gg/aa</translation>
    </message>
    <message>
        <source>Time taken</source>
        <translation>Ora dello scatto</translation>
    </message>
    <message>
        <source>Exposure</source>
        <translation>Esposizione</translation>
    </message>
    <message>
        <source>Flash</source>
        <translation>Flash</translation>
    </message>
    <message>
        <source>Text string </source>
        <translation>Testo libero </translation>
    </message>
    <message>
        <source>&amp;Image Margins</source>
        <translation>Margini delle &amp;immagini</translation>
    </message>
    <message>
        <source>mm</source>
        <translation>mm</translation>
    </message>
    <message>
        <source>Set Default </source>
        <translation>Predefinito </translation>
    </message>
    <message>
        <source>&amp;Page Margin </source>
        <translation>Margine della &amp;pagina </translation>
    </message>
    <message>
        <source>Centre image on paper</source>
        <translation>Centra l&apos;immagine sul foglio</translation>
    </message>
    <message>
        <source>Frame Aspect</source>
        <translation>Proporzioni della cornice</translation>
    </message>
    <message>
        <source>Set Default</source>
        <translation>Predefinito</translation>
    </message>
    <message>
        <source>Measurement System</source>
        <translation>Sistema di misura</translation>
    </message>
    <message>
        <source>Inches</source>
        <translation>Pollici</translation>
    </message>
    <message>
        <source>&amp;Layout area size </source>
        <translation>Dimensione dell&apos;area di &amp;layout </translation>
    </message>
    <message>
        <source>Default Folders </source>
        <translation>Cartelle predefinite </translation>
    </message>
    <message>
        <source>Image Folder</source>
        <translation>Cartella immagini</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Cancella</translation>
    </message>
    <message>
        <source>Curve Folders </source>
        <translation>Cartelle delle curve </translation>
    </message>
    <message>
        <source>Export images to </source>
        <translation>Esporta immagini in </translation>
    </message>
    <message>
        <source>Associated application </source>
        <translation>Applicazione associata </translation>
    </message>
    <message>
        <source>Selected application </source>
        <translation>Applicazione scelta </translation>
    </message>
    <message>
        <source>Jpeg Quality Setting - for all Jpeg saved files  </source>
        <translation>Qualità JPEG – per tutti i file JPEG salvati  </translation>
    </message>
    <message>
        <source>100 = Best</source>
        <translation>100 = massima</translation>
    </message>
    <message>
        <source>When saving pages - store images as : </source>
        <translation>Salvando le pagine, memorizza le immagini come: </translation>
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
        <translation>Salvando singole immagini </translation>
    </message>
    <message>
        <source>Write props file (.VDT)</source>
        <translation>Scrivi il file delle proprietà (.VDT)</translation>
    </message>
    <message>
        <source>Show warning dialog box on image load (if any onload options enabled)</source>
        <translation>Mostra un avviso al caricamento (se sono attive opzioni di caricamento)</translation>
    </message>
    <message>
        <source> Apply contrast curve      </source>
        <translation> Applica curva di contrasto      </translation>
    </message>
    <message>
        <source>Resample images  </source>
        <translation>Ricampiona immagini  </translation>
    </message>
    <message>
        <source>to </source>
        <translation>al </translation>
    </message>
    <message>
        <source> % of original </source>
        <translation> % dell&apos;originale </translation>
    </message>
    <message>
        <source>Using the </source>
        <translation>Con il filtro </translation>
    </message>
    <message>
        <source>filter </source>
        <translation> </translation>
    </message>
    <message>
        <source>Position </source>
        <translation>Posizione </translation>
    </message>
    <message>
        <source>Auto rotate</source>
        <translation>Rotazione automatica</translation>
    </message>
    <message>
        <source>Automatically rotates image
files to match frame orientation.</source>
        <translation>Ruota automaticamente le immagini
secondo l&apos;orientamento della cornice.</translation>
    </message>
    <message>
        <source>Auto centre</source>
        <translation>Centratura automatica</translation>
    </message>
    <message>
        <source>When folders are Dragged &amp;&amp; Dropped</source>
        <translation>Quando si trascinano cartelle</translation>
    </message>
    <message>
        <source>Check all sub folders </source>
        <translation>Cerca in tutte le sottocartelle </translation>
    </message>
    <message>
        <source>Filter</source>
        <translation>Filtro</translation>
    </message>
    <message>
        <source>(image) files </source>
        <translation>file (immagine) </translation>
    </message>
    <message>
        <source>Print (in margins) </source>
        <translation>Stampa (nei margini) </translation>
    </message>
    <message>
        <source>Image details </source>
        <translation>Dettagli dell&apos;immagine </translation>
    </message>
    <message>
        <source>Cut marks</source>
        <translation>Segni di taglio</translation>
    </message>
    <message>
        <source>Fonts</source>
        <translation>Caratteri</translation>
    </message>
    <message>
        <source>Colour</source>
        <translation>Colore</translation>
    </message>
    <message>
        <source>Cut mark Width </source>
        <translation>Spessore dei segni di taglio </translation>
    </message>
    <message>
        <source>Resample</source>
        <translation>Ricampiona</translation>
    </message>
    <message>
        <source>when printing to printer</source>
        <translation>in stampa sulla stampante</translation>
    </message>
    <message>
        <source>Windows print Queue </source>
        <translation>Coda di stampa </translation>
    </message>
    <message>
        <source>Wait until Print Queue is empty before printing</source>
        <translation>Attendi che la coda di stampa sia vuota prima di stampare</translation>
    </message>
    <message>
        <source>Print to image - file characteristics  </source>
        <translation>Stampa su file immagine – caratteristiche  </translation>
    </message>
    <message>
        <source>Jpeg</source>
        <translation>JPEG</translation>
    </message>
    <message>
        <source>Type </source>
        <translation>Tipo </translation>
    </message>
    <message>
        <source>Use the printers </source>
        <translation>Usa quella della stampante </translation>
    </message>
    <message>
        <source>Resolution</source>
        <translation>Risoluzione</translation>
    </message>
    <message>
        <source>Set to </source>
        <translation>Imposta a </translation>
    </message>
    <message>
        <source>dpi</source>
        <translation>dpi</translation>
    </message>
    <message>
        <source>Resample </source>
        <translation>Ricampiona </translation>
    </message>
    <message>
        <source>Read camera data from any JPEG</source>
        <translation>Leggi i dati della fotocamera da qualsiasi JPEG</translation>
    </message>
    <message>
        <source>Convert photos with a colour profile to sRGB</source>
        <translation>Converti in sRGB le foto con un profilo colore</translation>
    </message>
    <message>
        <source>Long batches</source>
        <translation>Lotti lunghi</translation>
    </message>
    <message>
        <source>Pass over files that can&apos;t be read, without a message</source>
        <translation>Salta senza avviso i file illeggibili</translation>
    </message>
    <message>
        <source>Warn below this many pixels per inch (0 = never)</source>
        <translation>Avvisa sotto questo numero di pixel per pollice (0 = mai)</translation>
    </message>
    <message>
        <source>Ask before printing frames below it</source>
        <translation>Chiedi prima di stampare cornici al di sotto</translation>
    </message>
    <message>
        <source>Turn photos upright as their camera recorded</source>
        <translation>Raddrizza le foto come registrato dalla fotocamera</translation>
    </message>
</context>
<context>
    <name>settings::WarningDialog</name>
    <message>
        <source>Warning - Image Load Settings are active !</source>
        <translation>Attenzione: sono attive impostazioni di caricamento delle immagini!</translation>
    </message>
    <message>
        <source>All loaded image files will be </source>
        <translation>Tutte le immagini caricate verranno </translation>
    </message>
    <message>
        <source>Don&apos;t show this message again </source>
        <translation>Non mostrare più questo messaggio </translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annulla</translation>
    </message>
    <message>
        <source>Resampled @ %1%</source>
        <translation>ricampionate al %1%</translation>
    </message>
    <message>
        <source>Re-Contrasted with %1</source>
        <translation>ricontrastate con %1</translation>
    </message>
    <message>
        <source>Autorated</source>
        <translation>ruotate automaticamente</translation>
    </message>
    <message>
        <source>AutoCentred</source>
        <translation>centrate automaticamente</translation>
    </message>
</context>
</TS>
