<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr" sourcelanguage="en">
<context>
    <name>Paginor</name>
    <message>
        <source>Many photographs, one printed page.</source>
        <translation>De nombreuses photos, une seule page imprimée.</translation>
    </message>
    <message>
        <source>Lays 1 to 16 photographs on a page and prints them with cut marks and captions.</source>
        <translation>Dispose de 1 à 16 photos sur une page et les imprime avec traits de coupe et légendes.</translation>
    </message>
    <message>
        <source>The clipboard is currently holding image data.
Do you want to save this data for other applications ?</source>
        <translation>Le presse-papiers contient actuellement une image.
Voulez-vous la conserver pour d&apos;autres applications ?</translation>
    </message>
    <message>
        <source>Do you want the current settings saved as a default ?</source>
        <translation>Voulez-vous enregistrer les paramètres actuels comme paramètres par défaut ?</translation>
    </message>
    <message>
        <source>Printer Setup</source>
        <translation>Configuration de l&apos;imprimante</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Can&apos;t open layout file</source>
        <translation>Impossible d&apos;ouvrir le fichier de mise en page</translation>
    </message>
    <message>
        <source>Not a Paginor layout file</source>
        <translation>Ce n&apos;est pas un fichier de mise en page Paginor</translation>
    </message>
    <message>
        <source>Save Page</source>
        <translation>Enregistrer la page</translation>
    </message>
    <message>
        <source>Load Page</source>
        <translation>Charger une page</translation>
    </message>
    <message>
        <source>Saving Page</source>
        <translation>Enregistrement de la page</translation>
    </message>
    <message>
        <source>Selection Error</source>
        <translation>Erreur de sélection</translation>
    </message>
    <message>
        <source>Drive Error - Unable to save Props file</source>
        <translation>Erreur de disque – impossible d&apos;enregistrer le fichier de propriétés</translation>
    </message>
    <message>
        <source>Save image file</source>
        <translation>Enregistrer le fichier image</translation>
    </message>
    <message>
        <source>Saving Image</source>
        <translation>Enregistrement de l&apos;image</translation>
    </message>
    <message>
        <source>Saving Bitmap Image</source>
        <translation>Enregistrement de l&apos;image bitmap</translation>
    </message>
    <message>
        <source>Nothing to print!</source>
        <translation>Rien à imprimer !</translation>
    </message>
    <message>
        <source>Try 4!!</source>
        <translation>Essayez 4 !!</translation>
    </message>
    <message>
        <source>Printing ...</source>
        <translation>Impression ...</translation>
    </message>
    <message>
        <source>Printing</source>
        <translation>Impression</translation>
    </message>
    <message>
        <source>Waiting for empty Printer Queue..... </source>
        <translation>Attente de la file d&apos;impression vide..... </translation>
    </message>
    <message>
        <source>Saving Jpeg Image</source>
        <translation>Enregistrement de l&apos;image JPEG</translation>
    </message>
    <message>
        <source>Saving Bmp Image...</source>
        <translation>Enregistrement de l&apos;image BMP...</translation>
    </message>
    <message>
        <source>The page is too small for the frames and the gaps between them</source>
        <translation>La page est trop petite pour les cadres et les espaces entre eux</translation>
    </message>
    <message>
        <source>The page bitmap would be too large: choose a lower resolution</source>
        <translation>L&apos;image de la page serait trop grande : choisissez une résolution plus basse</translation>
    </message>
    <message>
        <source>the program the desktop associates with it</source>
        <translation>le programme que le bureau lui associe</translation>
    </message>
    <message>
        <source>The picture on the clipboard could not be read</source>
        <translation>L&apos;image du presse-papiers n&apos;a pas pu être lue</translation>
    </message>
    <message>
        <source>All images</source>
        <translation>Toutes les images</translation>
    </message>
    <message>
        <source>All files</source>
        <translation>Tous les fichiers</translation>
    </message>
    <message>
        <source>Load image files - </source>
        <translation>Charger des fichiers image – </translation>
    </message>
    <message>
        <source>Add files to list </source>
        <translation>Ajouter des fichiers à la liste </translation>
    </message>
    <message>
        <source>Sorry : Can&apos;t load images because :
No frames are selected - Select some frames and try again.</source>
        <translation>Impossible de charger les images :
Aucun cadre n&apos;est sélectionné – sélectionnez des cadres et réessayez.</translation>
    </message>
    <message>
        <source>Not a valid image file</source>
        <translation>Fichier image non valide</translation>
    </message>
    <message>
        <source>Loading Images</source>
        <translation>Chargement des images</translation>
    </message>
    <message>
        <source>Searching folders ....</source>
        <translation>Recherche dans les dossiers ....</translation>
    </message>
    <message>
        <source>Finished Searching folders ....</source>
        <translation>Recherche dans les dossiers terminée ....</translation>
    </message>
    <message>
        <source>The file list isn&apos;t empty. 
Do you want to clear the current file list ? 
YES clears the list - No appends to the current list</source>
        <translation>La liste de fichiers n&apos;est pas vide. 
Voulez-vous vider la liste de fichiers actuelle ? 
OUI vide la liste – Non ajoute à la liste actuelle</translation>
    </message>
    <message>
        <source>The image list isn&apos;t empty. 
Do you want to clear the current image list ? 
YES clears the list - No appends to the current list</source>
        <translation>La liste d&apos;images n&apos;est pas vide. 
Voulez-vous vider la liste d&apos;images actuelle ? 
OUI vide la liste – Non ajoute à la liste actuelle</translation>
    </message>
    <message>
        <source>Image being processed</source>
        <translation>Traitement de l&apos;image</translation>
    </message>
    <message>
        <source>Not enough resources available to apply curve </source>
        <translation>Ressources insuffisantes pour appliquer la courbe </translation>
    </message>
    <message>
        <source>Applying image correction curve </source>
        <translation>Application de la courbe de correction </translation>
    </message>
    <message>
        <source> Not enough system resources available - try less frames</source>
        <translation> Ressources système insuffisantes – essayez avec moins de cadres</translation>
    </message>
    <message>
        <source> Not enough system resources available</source>
        <translation> Ressources système insuffisantes</translation>
    </message>
    <message>
        <source>ODEAR</source>
        <translation>AÏE</translation>
    </message>
    <message>
        <source>Aspect ratio is &lt; 0, try rotating the image</source>
        <translation>Le rapport largeur/hauteur est &lt; 0, essayez de faire pivoter l&apos;image</translation>
    </message>
    <message>
        <source>The stored number of frames is not 1, 2, 4, 8 or 16; using 4</source>
        <translation>Le nombre de cadres enregistré n&apos;est pas 1, 2, 4, 8 ou 16 ; 4 est utilisé</translation>
    </message>
    <message>
        <source>The stored frame aspect ratio is not usable; using 1.333333</source>
        <translation>Le rapport largeur/hauteur des cadres enregistré est inutilisable ; 1,333333 est utilisé</translation>
    </message>
    <message>
        <source>Updating...</source>
        <translation>Mise à jour...</translation>
    </message>
    <message>
        <source>Jpeg files (*.jpg)</source>
        <translation>Fichiers JPEG (*.jpg)</translation>
    </message>
    <message>
        <source>Bitmap files (*.bmp)</source>
        <translation>Fichiers bitmap (*.bmp)</translation>
    </message>
    <message>
        <source>Can&apos;t save settings</source>
        <translation>Impossible d&apos;enregistrer les paramètres</translation>
    </message>
    <message>
        <source>Can&apos;t run Paginor because there is no default printer available.
Hint - Install or set up a default printer.</source>
        <translation>Paginor ne peut pas démarrer car aucune imprimante par défaut n&apos;est disponible.
Astuce – installez ou configurez une imprimante par défaut.</translation>
    </message>
    <message>
        <source>Please install a printer</source>
        <translation>Veuillez installer une imprimante</translation>
    </message>
    <message>
        <source>Selected application </source>
        <translation>Application choisie </translation>
    </message>
    <message>
        <source>Application files (*)</source>
        <translation>Fichiers d&apos;application (*)</translation>
    </message>
    <message>
        <source>Color selection dialog failed to load.</source>
        <translation>La boîte de sélection des couleurs n&apos;a pas pu être chargée.</translation>
    </message>
    <message>
        <source>Paginor curves (*.tcv)</source>
        <translation>Courbes Paginor (*.tcv)</translation>
    </message>
    <message>
        <source>Not enough resources available to adjust image</source>
        <translation>Ressources insuffisantes pour retoucher l&apos;image</translation>
    </message>
    <message>
        <source>No images selected</source>
        <translation>Aucune image sélectionnée</translation>
    </message>
    <message>
        <source>You can only adjust 1 image at a time</source>
        <translation>Vous ne pouvez retoucher qu&apos;une image à la fois</translation>
    </message>
    <message>
        <source>Cannot open the image file</source>
        <translation>Impossible d&apos;ouvrir le fichier image</translation>
    </message>
    <message>
        <source>Cannot read the image file</source>
        <translation>Impossible de lire le fichier image</translation>
    </message>
    <message>
        <source>This system has no reader for the image file</source>
        <translation>Ce système ne sait pas lire ce fichier image</translation>
    </message>
    <message>
        <source>The image is too large to load</source>
        <translation>L&apos;image est trop grande pour être chargée</translation>
    </message>
    <message>
        <source>Corrupt or truncated JPEG data</source>
        <translation>Données JPEG corrompues ou tronquées</translation>
    </message>
    <message>
        <source>Cannot write the image file</source>
        <translation>Impossible d&apos;écrire le fichier image</translation>
    </message>
    <message>
        <source>JPEG quality must be between 1 and 100</source>
        <translation>La qualité JPEG doit être comprise entre 1 et 100</translation>
    </message>
    <message>
        <source>There is no picture to save</source>
        <translation>Il n&apos;y a aucune image à enregistrer</translation>
    </message>
    <message>
        <source>The picture is too large for a BMP file</source>
        <translation>L&apos;image est trop grande pour un fichier BMP</translation>
    </message>
    <message>
        <source>A palette file holds no picture</source>
        <translation>Un fichier de palette ne contient aucune image</translation>
    </message>
    <message>
        <source>The zoom factor must be above 0</source>
        <translation>Le facteur de zoom doit être supérieur à 0</translation>
    </message>
    <message>
        <source>Can Flip/Reverse only 24-bit bitmap</source>
        <translation>Retourner/inverser n&apos;est possible que pour les bitmaps 24 bits</translation>
    </message>
    <message>
        <source>Can Rotate90 only 24-bit bitmap</source>
        <translation>La rotation de 90° n&apos;est possible que pour les bitmaps 24 bits</translation>
    </message>
    <message>
        <source>Rotate90:  Angle not positive multiple of 90 degrees</source>
        <translation>Rotation de 90° : l&apos;angle n&apos;est pas un multiple positif de 90 degrés</translation>
    </message>
    <message>
        <source>Can&apos;t resample: the picture and the new size must be at least 1 pixel wide and 2 pixels high</source>
        <translation>Rééchantillonnage impossible : l&apos;image et la nouvelle taille doivent faire au moins 1 pixel de large et 2 pixels de haut</translation>
    </message>
    <message>
        <source>Can&apos;t resample: the new size is too large</source>
        <translation>Rééchantillonnage impossible : la nouvelle taille est trop grande</translation>
    </message>
    <message>
        <source>Unknown resampling filter</source>
        <translation>Filtre de rééchantillonnage inconnu</translation>
    </message>
    <message>
        <source>Resampling support out of range</source>
        <translation>Support du rééchantillonnage hors limites</translation>
    </message>
    <message>
        <source>Unknown filter style</source>
        <translation>Type de filtre inconnu</translation>
    </message>
    <message>
        <source>Gamma must be a number above 0</source>
        <translation>Le gamma doit être un nombre supérieur à 0</translation>
    </message>
    <message>
        <source>Can&apos;t fit the picture: the aspect ratio gives no usable width</source>
        <translation>Impossible d&apos;ajuster l&apos;image : le rapport largeur/hauteur ne donne aucune largeur utilisable</translation>
    </message>
    <message>
        <source>The source and destination bitmaps differ in size or format</source>
        <translation>Les bitmaps source et destination diffèrent en taille ou en format</translation>
    </message>
    <message>
        <source>Only 24-bit and 32-bit bitmaps can be processed</source>
        <translation>Seuls les bitmaps 24 et 32 bits peuvent être traités</translation>
    </message>
    <message>
        <source>Number of columns should be positive</source>
        <translation>Le nombre de colonnes doit être positif</translation>
    </message>
    <message>
        <source>Number of rows should be positive</source>
        <translation>Le nombre de lignes doit être positif</translation>
    </message>
    <message>
        <source>Handle size should be in [0..16] range</source>
        <translation>La taille des poignées doit être comprise dans [0..16]</translation>
    </message>
    <message>
        <source>Unexpected string end</source>
        <translation>Fin de texte inattendue</translation>
    </message>
    <message>
        <source>Number expected</source>
        <translation>Nombre attendu</translation>
    </message>
    <message>
        <source>Number is invalid</source>
        <translation>Nombre non valide</translation>
    </message>
    <message>
        <source>Hint - <byte value="xd"/>
You can also use the mouse to<byte value="xd"/>
change the image position.  </source>
        <translation>Astuce – <byte value="xd"/>
Vous pouvez aussi déplacer l&apos;image<byte value="xd"/>
avec la souris.  </translation>
    </message>
    <message>
        <source>Save Curve as </source>
        <translation>Enregistrer la courbe sous </translation>
    </message>
    <message>
        <source>Open Curve</source>
        <translation>Ouvrir une courbe</translation>
    </message>
    <message>
        <source>Paginor Curves (*.tcv)</source>
        <translation>Courbes Paginor (*.tcv)</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>&amp;Quitter</translation>
    </message>
    <message>
        <source>Parameter</source>
        <translation>Paramètre</translation>
    </message>
    <message>
        <source>Data</source>
        <translation>Données</translation>
    </message>
    <message>
        <source>Tag #</source>
        <translation>Balise n°</translation>
    </message>
    <message>
        <source>File name</source>
        <translation>Nom du fichier</translation>
    </message>
    <message>
        <source>Extended Image info (Embedded in jpeg file) </source>
        <translation>Informations d&apos;image étendues (intégrées au fichier JPEG) </translation>
    </message>
    <message>
        <source>TWAIN Error</source>
        <translation>Erreur TWAIN</translation>
    </message>
    <message>
        <source>TWAIN_SelectImageSource: window handle is invalid</source>
        <translation>TWAIN_SelectImageSource : le handle de fenêtre n&apos;est pas valide</translation>
    </message>
    <message>
        <source>TWAIN_SelectImageSource: Unable to create proxy window</source>
        <translation>TWAIN_SelectImageSource : impossible de créer la fenêtre relais</translation>
    </message>
    <message>
        <source>Unable to create proxy window</source>
        <translation>Impossible de créer la fenêtre relais</translation>
    </message>
    <message>
        <source>TWAIN_ReportLastError: an error occurred</source>
        <translation>TWAIN_ReportLastError : une erreur s&apos;est produite</translation>
    </message>
    <message>
        <source>Assertion failed</source>
        <translation>Échec de l&apos;assertion</translation>
    </message>
    <message>
        <source>Unable to open default Data Source.</source>
        <translation>Impossible d&apos;ouvrir la source de données par défaut.</translation>
    </message>
    <message>
        <source>Failed to negotiate Pixel Type.</source>
        <translation>Impossible de négocier le type de pixel.</translation>
    </message>
    <message>
        <source>Failed to enable Data Source.</source>
        <translation>Impossible d&apos;activer la source de données.</translation>
    </message>
    <message>
        <source>Not enough frames selected to hold all the images sent via TWAIN
The extra images will be ignored</source>
        <translation>Pas assez de cadres sélectionnés pour toutes les images reçues par TWAIN
Les images en trop seront ignorées</translation>
    </message>
    <message>
        <source>Print anyway?</source>
        <translation>Imprimer quand même ?</translation>
    </message>
    <message>
        <source>its queue will not empty, so nothing was printed</source>
        <translation>sa file d&apos;attente ne se videra pas, rien n&apos;a donc été imprimé</translation>
    </message>
    <message>
        <source>the page waits in its queue until the printer is started again</source>
        <translation>la page attend dans la file jusqu&apos;au redémarrage de l&apos;imprimante</translation>
    </message>
    <message>
        <source>Some stored settings were refused and their defaults are used:</source>
        <translation>Certains paramètres enregistrés ont été refusés ; les valeurs par défaut sont utilisées :</translation>
    </message>
    <message>
        <source>The help file %1 is missing.</source>
        <translation>Le fichier d&apos;aide %1 est introuvable.</translation>
    </message>
    <message>
        <source>%1 Selected</source>
        <translation>%1 sélectionné</translation>
    </message>
    <message>
        <source>Skipped: %1</source>
        <translation>Ignoré : %1</translation>
    </message>
    <message>
        <source>Printer : %1</source>
        <translation>Imprimante : %1</translation>
    </message>
    <message>
        <source>Not enough memory to load %1</source>
        <translation>Mémoire insuffisante pour charger %1</translation>
    </message>
    <message>
        <source>Corrupt or truncated JPEG data &apos;%1&apos;: the file is empty</source>
        <translation>Données JPEG corrompues ou tronquées &apos;%1&apos; : le fichier est vide</translation>
    </message>
    <message>
        <source>Frame #%1 is cloned to other frames</source>
        <translation>Le cadre n° %1 est dupliqué dans d&apos;autres cadres</translation>
    </message>
    <message>
        <source>You can only copy one image at a time to the clipboard
Only image #%1 will be copied</source>
        <translation>Vous ne pouvez copier qu&apos;une image à la fois dans le presse-papiers
Seule l&apos;image n° %1 sera copiée</translation>
    </message>
    <message>
        <source>Can&apos;t export pasted images.....
Hint - Try pasting the image into 
%1</source>
        <translation>Impossible d&apos;exporter les images collées.....
Astuce – essayez de coller l&apos;image dans 
%1</translation>
    </message>
    <message>
        <source>Can&apos;t load : 
%1
with %2</source>
        <translation>Impossible de charger : 
%1
avec %2</translation>
    </message>
    <message>
        <source>Modified file : 
%1
Does not exist </source>
        <translation>Fichier modifié : 
%1
n&apos;existe pas </translation>
    </message>
    <message>
        <source>Rotating Image%1</source>
        <translation>Rotation de l&apos;image %1</translation>
    </message>
    <message>
        <source>Rotating image in frame %1</source>
        <translation>Rotation de l&apos;image du cadre %1</translation>
    </message>
    <message>
        <source>Adjusting image in frame %1</source>
        <translation>Ajustement de l&apos;image du cadre %1</translation>
    </message>
    <message>
        <source>Resampling image %1 to %2% of original image size</source>
        <translation>Rééchantillonnage de l&apos;image %1 à %2% de sa taille d&apos;origine</translation>
    </message>
    <message>
        <source>Can&apos;t load %1</source>
        <translation>Impossible de charger %1</translation>
    </message>
    <message>
        <source>Error - Can&apos;t open %1</source>
        <translation>Erreur – impossible d&apos;ouvrir %1</translation>
    </message>
    <message>
        <source>%1 more curve files were left out of &quot;Apply Curves&quot;</source>
        <translation>%1 autres fichiers de courbe ont été laissés hors de « Appliquer les courbes »</translation>
    </message>
    <message>
        <source>Sorry - This applcation failed whilst initalising frame number %1</source>
        <translation>Désolé, l&apos;application a échoué lors de l&apos;initialisation du cadre n° %1</translation>
    </message>
    <message>
        <source>%1 images selected </source>
        <translation>%1 images sélectionnées </translation>
    </message>
    <message>
        <source>Can&apos;t open file %1</source>
        <translation>Impossible d&apos;ouvrir le fichier %1</translation>
    </message>
    <message>
        <source>Can&apos;t write file %1</source>
        <translation>Impossible d&apos;écrire le fichier %1</translation>
    </message>
    <message>
        <source>Frame %1: %2 pixels per inch</source>
        <translation>Cadre %1 : %2 pixels par pouce</translation>
    </message>
    <message>
        <source>Frame %1: %2 pixels per inch on %3</source>
        <translation>Cadre %1 : %2 pixels par pouce sur %3</translation>
    </message>
    <message>
        <source>Frame %1: %2 pixels per inch (below %3)</source>
        <translation>Cadre %1 : %2 pixels par pouce (moins de %3)</translation>
    </message>
    <message>
        <source>Frame %1: %2 pixels per inch on %3 (below %4)</source>
        <translation>Cadre %1 : %2 pixels par pouce sur %3 (moins de %4)</translation>
    </message>
    <message>
        <source>Frame %1 prints below %2 pixels per inch</source>
        <translation>Le cadre %1 sera imprimé à moins de %2 pixels par pouce</translation>
    </message>
    <message>
        <source>Frames %1 and %2 print below %3 pixels per inch</source>
        <translation>Les cadres %1 et %2 seront imprimés à moins de %3 pixels par pouce</translation>
    </message>
    <message>
        <source>Frame %1 would be cut off by the page margin</source>
        <translation>Le cadre %1 serait rogné par la marge de la page</translation>
    </message>
    <message>
        <source>Frames %1 and %2 would be cut off by the page margin</source>
        <translation>Les cadres %1 et %2 seraient rognés par la marge de la page</translation>
    </message>
    <message>
        <source>Sorry.... %1 frames not yet supported by print option</source>
        <translation>Désolé.... %1 cadres ne sont pas encore pris en charge à l&apos;impression</translation>
    </message>
    <message>
        <source>Resampling image %1 for printer</source>
        <translation>Rééchantillonnage de l&apos;image %1 pour l&apos;imprimante</translation>
    </message>
    <message>
        <source>Resampling image %1 for image file</source>
        <translation>Rééchantillonnage de l&apos;image %1 pour le fichier image</translation>
    </message>
    <message>
        <source>Resampling image %1 for preview</source>
        <translation>Rééchantillonnage de l&apos;image %1 pour l&apos;aperçu</translation>
    </message>
    <message>
        <source>Waiting for empty Printer Queue..... (%1 job on %2)</source>
        <translation>Attente de la file d&apos;impression vide..... (%1 tâche sur %2)</translation>
    </message>
    <message>
        <source>Waiting for empty Printer Queue..... (%1 jobs on %2)</source>
        <translation>Attente de la file d&apos;impression vide..... (%1 tâches sur %2)</translation>
    </message>
    <message>
        <source>The printer %1 is stopped: %2</source>
        <translation>L&apos;imprimante %1 est arrêtée : %2</translation>
    </message>
    <message>
        <source>The printer %1 is stopped (%2): %3</source>
        <translation>L&apos;imprimante %1 est arrêtée (%2) : %3</translation>
    </message>
    <message>
        <source>Can&apos;t ask the printer for its queue: %1</source>
        <translation>Impossible d&apos;interroger la file d&apos;impression : %1</translation>
    </message>
    <message>
        <source>Can&apos;t start printing on %1</source>
        <translation>Impossible de lancer l&apos;impression sur %1</translation>
    </message>
    <message>
        <source>The printer %1 refused the page: %2</source>
        <translation>L&apos;imprimante %1 a refusé la page : %2</translation>
    </message>
    <message>
        <source>The page was stopped before frame %1 was ready</source>
        <translation>La page a été arrêtée avant que le cadre %1 soit prêt</translation>
    </message>
    <message>
        <source>Can&apos;t write %1: %2</source>
        <translation>Impossible d&apos;écrire %1 : %2</translation>
    </message>
    <message>
        <source>Can&apos;t write %1</source>
        <translation>Impossible d&apos;écrire %1</translation>
    </message>
    <message>
        <source>Saving Page - Embedding Image %1</source>
        <translation>Enregistrement de la page – intégration de l&apos;image %1</translation>
    </message>
    <message>
        <source>Can&apos;t write the layout file %1: %2</source>
        <translation>Impossible d&apos;écrire le fichier de mise en page %1 : %2</translation>
    </message>
    <message>
        <source>Frame %1 holds no picture of its own</source>
        <translation>Le cadre %1 ne contient pas d&apos;image propre</translation>
    </message>
    <message>
        <source>Invalid data type for &apos;%1&apos;</source>
        <translation>Type de données non valide pour &apos;%1&apos;</translation>
    </message>
    <message>
        <source>Invalid value %1 for &apos;%2&apos;: %3</source>
        <translation>Valeur %1 non valide pour &apos;%2&apos; : %3</translation>
    </message>
    <message>
        <source>must be between %1 and %2</source>
        <translation>doit être compris entre %1 et %2</translation>
    </message>
    <message>
        <source>Invalid value for &apos;%1&apos;: %2</source>
        <translation>Valeur non valide pour &apos;%1&apos; : %2</translation>
    </message>
    <message>
        <source>There is no default printer: printing goes to %1</source>
        <translation>Aucune imprimante par défaut : l&apos;impression se fait sur %1</translation>
    </message>
    <message>
        <source>Unable to load Source Manager (%1)</source>
        <translation>Impossible de charger le gestionnaire de sources (%1)</translation>
    </message>
    <message>
        <source>Unable to open Source Manager (%1)</source>
        <translation>Impossible d&apos;ouvrir le gestionnaire de sources (%1)</translation>
    </message>
    <message>
        <source>The source manager cannot open the device %1</source>
        <translation>Le gestionnaire de sources ne peut pas ouvrir le périphérique %1</translation>
    </message>
    <message>
        <source>The source refused the option %1</source>
        <translation>La source a refusé l&apos;option %1</translation>
    </message>
    <message>
        <source>Delete the other frames before this one. </source>
        <translation>Supprimez d&apos;abord les autres cadres. </translation>
    </message>
    <message>
        <source>Do you want to overwrite this file ?</source>
        <translation>Voulez-vous remplacer ce fichier ?</translation>
    </message>
    <message>
        <source>must be 1, 2, 4, 8 or 16</source>
        <translation>doit valoir 1, 2, 4, 8 ou 16</translation>
    </message>
    <message>
        <source>must be a finite number</source>
        <translation>doit être un nombre fini</translation>
    </message>
    <message>
        <source>must be above 0</source>
        <translation>doit être supérieur à 0</translation>
    </message>
    <message>
        <source>Box</source>
        <translation>Boîte</translation>
    </message>
    <message>
        <source>Triangle</source>
        <translation>Triangle</translation>
    </message>
    <message>
        <source>Hermitite</source>
        <translation>Hermite</translation>
    </message>
    <message>
        <source>Bell</source>
        <translation>Cloche</translation>
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
        <translation>Ne pas rééchantillonner </translation>
    </message>
    <message>
        <source>Use Box Filter</source>
        <translation>Utiliser le filtre Boîte</translation>
    </message>
    <message>
        <source>Use Triangle Filter</source>
        <translation>Utiliser le filtre Triangle</translation>
    </message>
    <message>
        <source>Use Hermitite Filter</source>
        <translation>Utiliser le filtre Hermite</translation>
    </message>
    <message>
        <source>Use Bell Filter</source>
        <translation>Utiliser le filtre Cloche</translation>
    </message>
    <message>
        <source>Use Spline Filter</source>
        <translation>Utiliser le filtre Spline</translation>
    </message>
    <message>
        <source>Use Lanczos3 Filter</source>
        <translation>Utiliser le filtre Lanczos3</translation>
    </message>
    <message>
        <source>Use Mitchell Filter</source>
        <translation>Utiliser le filtre Mitchell</translation>
    </message>
    <message>
        <source>mm</source>
        <translation>mm</translation>
    </message>
    <message>
        <source>Inch</source>
        <translation>Pouce</translation>
    </message>
    <message>
        <source>None</source>
        <translation>Aucun</translation>
    </message>
    <message>
        <source>Select Source</source>
        <translation>Choisir la source</translation>
    </message>
    <message>
        <source>Select</source>
        <translation>Choisir</translation>
    </message>
    <message>
        <source>Sources:</source>
        <translation>Sources :</translation>
    </message>
    <message>
        <source>Mode:</source>
        <translation>Mode :</translation>
    </message>
    <message>
        <source>Resolution (dpi):</source>
        <translation>Résolution (ppp) :</translation>
    </message>
    <message>
        <source>Source:</source>
        <translation>Source :</translation>
    </message>
    <message>
        <source>Scan</source>
        <translation>Numériser</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Fermer</translation>
    </message>
    <message>
        <source>Scanning failed: %1</source>
        <translation>Échec de la numérisation : %1</translation>
    </message>
    <message>
        <source>Scan cancelled</source>
        <translation>Numérisation annulée</translation>
    </message>
    <message>
        <source>The layout file names frame %1 of a page of %2</source>
        <translation>Le fichier de mise en page désigne le cadre %1 d&apos;une page de %2</translation>
    </message>
    <message>
        <source>The clone source of the layout file&apos;s line &quot;%1&quot; is not a number</source>
        <translation>La source de copie de la ligne « %1 » du fichier de mise en page n&apos;est pas un nombre</translation>
    </message>
    <message>
        <source>The frame number of the layout file&apos;s line &quot;%1&quot; is not a number</source>
        <translation>Le numéro de cadre de la ligne « %1 » du fichier de mise en page n&apos;est pas un nombre</translation>
    </message>
    <message>
        <source>The frame count of the layout file is not a number: %1</source>
        <translation>Le nombre de cadres du fichier de mise en page n&apos;est pas un nombre : %1</translation>
    </message>
    <message>
        <source>The layout file names a member that is not a plain file name: %1</source>
        <translation>Le fichier de mise en page désigne un élément qui n&apos;est pas un simple nom de fichier : %1</translation>
    </message>
    <message>
        <source>The layout file holds more than one member named %1</source>
        <translation>Le fichier de mise en page contient plusieurs éléments nommés %1</translation>
    </message>
    <message>
        <source>The layout file&apos;s member %1 cannot be read</source>
        <translation>L&apos;élément %1 du fichier de mise en page est illisible</translation>
    </message>
    <message>
        <source>The layout file&apos;s member %1 cannot be read: %2</source>
        <translation>L&apos;élément %1 du fichier de mise en page est illisible : %2</translation>
    </message>
    <message>
        <source>The layout file&apos;s member %1 would inflate to %2 bytes, more than any picture needs</source>
        <translation>L&apos;élément %1 du fichier de mise en page occuperait %2 octets une fois décompressé, plus qu&apos;aucune image n&apos;en a besoin</translation>
    </message>
    <message>
        <source>Can&apos;t extract %1 into the temporary folder</source>
        <translation>Impossible d&apos;extraire %1 dans le dossier temporaire</translation>
    </message>
    <message>
        <source>Can&apos;t make a temporary folder in %1</source>
        <translation>Impossible de créer un dossier temporaire dans %1</translation>
    </message>
    <message>
        <source>There is no printer named &apos;%1&apos;</source>
        <translation>Il n&apos;y a aucune imprimante nommée &apos;%1&apos;</translation>
    </message>
    <message>
        <source>--set: there is no setting named &apos;%1&apos;</source>
        <translation>--set : aucun paramètre ne s&apos;appelle &apos;%1&apos;</translation>
    </message>
    <message>
        <source>N/A</source>
        <translation>N/D</translation>
    </message>
    <message>
        <source>Image Description</source>
        <translation>Description de l&apos;image</translation>
    </message>
    <message>
        <source>Camera Manufacturer</source>
        <translation>Fabricant de l&apos;appareil</translation>
    </message>
    <message>
        <source>Camera Model</source>
        <translation>Modèle de l&apos;appareil</translation>
    </message>
    <message>
        <source>Xres</source>
        <translation>Résolution X</translation>
    </message>
    <message>
        <source>Yres</source>
        <translation>Résolution Y</translation>
    </message>
    <message>
        <source>Resolution Units</source>
        <translation>Unité de résolution</translation>
    </message>
    <message>
        <source>Camera Software version</source>
        <translation>Version du logiciel de l&apos;appareil</translation>
    </message>
    <message>
        <source>Date/Time (modified)</source>
        <translation>Date/heure (modification)</translation>
    </message>
    <message>
        <source>Thumbnail Type</source>
        <translation>Type de vignette</translation>
    </message>
    <message>
        <source>Copyright</source>
        <translation>Copyright</translation>
    </message>
    <message>
        <source>1 / Exposure</source>
        <translation>1 / exposition</translation>
    </message>
    <message>
        <source>Aperture (f number)</source>
        <translation>Ouverture (nombre f)</translation>
    </message>
    <message>
        <source>Exif Version</source>
        <translation>Version Exif</translation>
    </message>
    <message>
        <source>Date/Time (Orig)</source>
        <translation>Date/heure (prise de vue)</translation>
    </message>
    <message>
        <source>Date/Time (Digitized)</source>
        <translation>Date/heure (numérisation)</translation>
    </message>
    <message>
        <source>Jpeg Compression (bits/pixel)</source>
        <translation>Compression JPEG (bits/pixel)</translation>
    </message>
    <message>
        <source>Shutter Speed</source>
        <translation>Vitesse d&apos;obturation</translation>
    </message>
    <message>
        <source>Aperture (Calculated)</source>
        <translation>Ouverture (calculée)</translation>
    </message>
    <message>
        <source>Aperture (Max)</source>
        <translation>Ouverture (max.)</translation>
    </message>
    <message>
        <source>Subject distance (m) </source>
        <translation>Distance du sujet (m) </translation>
    </message>
    <message>
        <source>Metering Mode</source>
        <translation>Mode de mesure</translation>
    </message>
    <message>
        <source>Light Source</source>
        <translation>Source lumineuse</translation>
    </message>
    <message>
        <source>Flash Used</source>
        <translation>Flash déclenché</translation>
    </message>
    <message>
        <source>Focal Length (mm)</source>
        <translation>Focale (mm)</translation>
    </message>
    <message>
        <source>%1 &apos;%2&apos;: %3</source>
        <translation>%1 &apos;%2&apos; : %3</translation>
    </message>
    <message>
        <source>%1 &apos;%2&apos;</source>
        <translation>%1 &apos;%2&apos;</translation>
    </message>
    <message>
        <source>The scanned image is empty</source>
        <translation>L&apos;image numérisée est vide</translation>
    </message>
    <message>
        <source>The scanned image has no bitmap header</source>
        <translation>L&apos;image numérisée n&apos;a pas d&apos;en-tête bitmap</translation>
    </message>
    <message>
        <source>The scanned image is compressed</source>
        <translation>L&apos;image numérisée est compressée</translation>
    </message>
    <message>
        <source>The scanned image has no usable size</source>
        <translation>L&apos;image numérisée n&apos;a pas de taille utilisable</translation>
    </message>
    <message>
        <source>The scanned image has an unknown bit count</source>
        <translation>L&apos;image numérisée a une profondeur de bits inconnue</translation>
    </message>
    <message>
        <source>The scanned image is shorter than its header says</source>
        <translation>L&apos;image numérisée est plus courte que ne l&apos;indique son en-tête</translation>
    </message>
    <message>
        <source>There is no scanned image</source>
        <translation>Il n&apos;y a aucune image numérisée</translation>
    </message>
    <message>
        <source>Frame %1: No file loaded</source>
        <translation>Cadre %1 : aucun fichier chargé</translation>
    </message>
    <message>
        <source>Frame %1: File %2
%3 AR= %4</source>
        <translation>Cadre %1 : fichier %2
%3 L/H= %4</translation>
    </message>
    <message>
        <source>Printer : %1 | Image area : %2 mm x %3 mm  | Page Margin : %4 mm%5</source>
        <translation>Imprimante : %1 | Zone d&apos;image : %2 mm x %3 mm  | Marge de la page : %4 mm%5</translation>
    </message>
    <message>
        <source>Printer : %1 | Image area : %2&quot; x %3&quot; | Page Margin : %4&quot;%5</source>
        <translation>Imprimante : %1 | Zone d&apos;image : %2&quot; x %3&quot; | Marge de la page : %4&quot;%5</translation>
    </message>
    <message>
        <source>Loading Images%1</source>
        <translation>Chargement des images %1</translation>
    </message>
    <message>
        <source>The layout file ends before its %1 line</source>
        <translation>Le fichier de mise en page se termine avant sa ligne « %1 »</translation>
    </message>
    <message>
        <source>A frame line of the layout file has no &quot;=&quot;: %1</source>
        <translation>Une ligne de cadre du fichier de mise en page n&apos;a pas de « = » : %1</translation>
    </message>
    <message>
        <source>frame count</source>
        <translation>nombre de cadres</translation>
    </message>
    <message>
        <source>aspect ratio</source>
        <translation>rapport largeur/hauteur</translation>
    </message>
    <message>
        <source>margin</source>
        <translation>marge</translation>
    </message>
    <message>
        <source>The layout file&apos;s member %1 is damaged: %2</source>
        <translation>L&apos;élément %1 du fichier de mise en page est endommagé : %2</translation>
    </message>
    <message>
        <source>The layout file&apos;s member %1 inflates past the size the archive gives for it</source>
        <translation>L&apos;élément %1 du fichier de mise en page dépasse, une fois décompressé, la taille indiquée par l&apos;archive</translation>
    </message>
    <message>
        <source>The layout file&apos;s member %1 could not be written to the temporary folder</source>
        <translation>L&apos;élément %1 du fichier de mise en page n&apos;a pas pu être écrit dans le dossier temporaire</translation>
    </message>
    <message>
        <source>The layout file&apos;s member %1 is shorter than the archive says</source>
        <translation>L&apos;élément %1 du fichier de mise en page est plus court que ne l&apos;indique l&apos;archive</translation>
    </message>
    <message>
        <source>Can&apos;t create the print spool file: %1</source>
        <translation>Impossible de créer le fichier de spool d&apos;impression : %1</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is stored more than once (as &apos;%2&apos;); the first is read</source>
        <translation>&apos;%1&apos; est enregistré plusieurs fois (sous &apos;%2&apos;) ; le premier est lu</translation>
    </message>
    <message>
        <source>Drag &amp;&amp; Drop
File extension &apos;%1&apos; is not a valid image format</source>
        <translation>Glisser-déposer
L&apos;extension de fichier &apos;%1&apos; n&apos;est pas un format d&apos;image valide</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1 : %2</translation>
    </message>
    <message>
        <source>Not enough memory for a %1 x %2 image</source>
        <translation>Mémoire insuffisante pour une image de %1 x %2</translation>
    </message>
    <message>
        <source>Can&apos;t open the log file %1: %2</source>
        <translation>Impossible d&apos;ouvrir le fichier journal %1 : %2</translation>
    </message>
    <message>
        <source>The file %1 already exists on the disk.</source>
        <translation>Le fichier %1 existe déjà sur le disque.</translation>
    </message>
    <message>
        <source>Animator Pro pictures and flic cels are not read</source>
        <translation>Les images Animator Pro et les cellules flic ne sont pas lues</translation>
    </message>
    <message>
        <source>not an Autodesk Animator picture</source>
        <translation>ce n&apos;est pas une image Autodesk Animator</translation>
    </message>
    <message>
        <source>only 8-bit uncompressed Animator pictures exist</source>
        <translation>seules existent des images Animator 8 bits non compressées</translation>
    </message>
    <message>
        <source>the file is truncated</source>
        <translation>le fichier est tronqué</translation>
    </message>
    <message>
        <source>too short for a bitmap</source>
        <translation>trop court pour un bitmap</translation>
    </message>
    <message>
        <source>not a device-independent bitmap</source>
        <translation>ce n&apos;est pas un bitmap indépendant du périphérique</translation>
    </message>
    <message>
        <source>not an ordinary file</source>
        <translation>ce n&apos;est pas un fichier ordinaire</translation>
    </message>
    <message>
        <source>the file is larger than this machine can hold</source>
        <translation>le fichier est plus gros que ce que cette machine peut contenir</translation>
    </message>
    <message>
        <source>the image has no pixels</source>
        <translation>l&apos;image n&apos;a aucun pixel</translation>
    </message>
    <message>
        <source>%1 x %2 pixels</source>
        <translation>%1 x %2 pixels</translation>
    </message>
    <message>
        <source>%1 x %2 pixels, more than this machine&apos;s memory</source>
        <translation>%1 x %2 pixels, plus que la mémoire de cette machine</translation>
    </message>
    <message>
        <source>cannot be opened</source>
        <translation>ne peut pas être ouvert</translation>
    </message>
    <message>
        <source>too short for an RLA header</source>
        <translation>trop court pour un en-tête RLA</translation>
    </message>
    <message>
        <source>RLA pictures need GraphicsMagick&apos;s gm program</source>
        <translation>les images RLA nécessitent le programme gm de GraphicsMagick</translation>
    </message>
    <message>
        <source>gm did not finish</source>
        <translation>gm ne s&apos;est pas terminé</translation>
    </message>
    <message>
        <source>the file is empty</source>
        <translation>le fichier est vide</translation>
    </message>
    <message>
        <source>Corrupt JPEG data: %1 bytes cannot hold a %2 x %3 picture</source>
        <translation>Données JPEG corrompues : %1 octets ne peuvent pas contenir une image de %2 x %3</translation>
    </message>
    <message>
        <source>no such file</source>
        <translation>fichier introuvable</translation>
    </message>
    <message>
        <source>the file is truncated (no end-of-page codes)</source>
        <translation>le fichier est tronqué (pas de codes de fin de page)</translation>
    </message>
    <message>
        <source>no picture in the file</source>
        <translation>aucune image dans le fichier</translation>
    </message>
    <message>
        <source>&apos;(&apos; expected but found &apos;%1&apos;</source>
        <translation>&apos;(&apos; attendu mais &apos;%1&apos; trouvé</translation>
    </message>
    <message>
        <source>&apos;,&apos; expected but &apos;%1&apos; found</source>
        <translation>&apos;,&apos; attendu mais &apos;%1&apos; trouvé</translation>
    </message>
    <message>
        <source>&apos;)&apos; expected but &apos;%1&apos; found</source>
        <translation>&apos;)&apos; attendu mais &apos;%1&apos; trouvé</translation>
    </message>
    <message>
        <source>Not enough memory available to finish this command</source>
        <translation>Mémoire insuffisante pour terminer cette commande</translation>
    </message>
    <message>
        <source>This command stopped on an unexpected error</source>
        <translation>Cette commande s’est arrêtée sur une erreur inattendue</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Aide</translation>
    </message>
    <message>
        <source>Back</source>
        <translation>Précédent</translation>
    </message>
    <message>
        <source>Forward</source>
        <translation>Suivant</translation>
    </message>
    <message>
        <source>Contents</source>
        <translation>Sommaire</translation>
    </message>
    <message>
        <source>Paginor help</source>
        <translation>Aide de Paginor</translation>
    </message>
    <message>
        <source>A new number of frames empties the page: the pictures in its frames are dropped.
Change the number of frames?</source>
        <translation>Un nouveau nombre de cadres vide la page : les images de ses cadres sont retirées.
Changer le nombre de cadres ?</translation>
    </message>
    <message>
        <source>The aspect ratio of the layout file is not a number above 0 and up to %1: %2</source>
        <translation>Le rapport largeur/hauteur du fichier de mise en page n’est pas un nombre supérieur à 0 et inférieur ou égal à %1 : %2</translation>
    </message>
    <message>
        <source>The margin of the layout file is not a number of millimetres from 0 to %1: %2</source>
        <translation>La marge du fichier de mise en page n’est pas un nombre de millimètres de 0 à %1 : %2</translation>
    </message>
    <message>
        <source>Paginor layout files  (*.zip *.ZIP)</source>
        <translation>Fichiers de mise en page Paginor  (*.zip *.ZIP)</translation>
    </message>
    <message>
        <source>Print to image file</source>
        <translation>Imprimer dans un fichier image</translation>
    </message>
    <message>
        <source>Printed Image file   (*.jpg *.jpeg)</source>
        <translation>Fichier image imprimé   (*.jpg *.jpeg)</translation>
    </message>
    <message>
        <source>Printed Image file  (*.bmp)</source>
        <translation>Fichier image imprimé  (*.bmp)</translation>
    </message>
    <message>
        <source>PDF document (*.pdf)</source>
        <translation>Document PDF (*.pdf)</translation>
    </message>
    <message>
        <source>No scanner was found.</source>
        <translation>Aucun scanner n’a été trouvé.</translation>
    </message>
    <message>
        <source>Look again</source>
        <translation>Chercher à nouveau</translation>
    </message>
    <message>
        <source>Looking for scanners…</source>
        <translation>Recherche des scanners…</translation>
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
        <translation>&amp;Fichiers</translation>
    </message>
    <message>
        <source>&amp;Load Selected</source>
        <translation>&amp;Charger dans la sélection</translation>
    </message>
    <message>
        <source>Load from TWAIN</source>
        <translation>Charger depuis TWAIN</translation>
    </message>
    <message>
        <source>Add to file list</source>
        <translation>Ajouter à la liste de fichiers</translation>
    </message>
    <message>
        <source>Clear File list</source>
        <translation>Vider la liste de fichiers</translation>
    </message>
    <message>
        <source>&amp;Remove Selected</source>
        <translation>&amp;Retirer la sélection</translation>
    </message>
    <message>
        <source>Load Page - Zip</source>
        <translation>Charger une page – ZIP</translation>
    </message>
    <message>
        <source>Save Page - Zip</source>
        <translation>Enregistrer la page – ZIP</translation>
    </message>
    <message>
        <source>&amp;Select</source>
        <translation>&amp;Sélection</translation>
    </message>
    <message>
        <source>&amp;Select All</source>
        <translation>&amp;Tout sélectionner</translation>
    </message>
    <message>
        <source>&amp;DeSelect All</source>
        <translation>Tout &amp;désélectionner</translation>
    </message>
    <message>
        <source>&amp;Print</source>
        <translation>&amp;Imprimer</translation>
    </message>
    <message>
        <source>Print Preview </source>
        <translation>Aperçu avant impression </translation>
    </message>
    <message>
        <source>&amp;Print to printer</source>
        <translation>&amp;Imprimer sur l&apos;imprimante</translation>
    </message>
    <message>
        <source>Print to image file</source>
        <translation>Imprimer dans un fichier image</translation>
    </message>
    <message>
        <source>S&amp;etup</source>
        <translation>&amp;Configuration</translation>
    </message>
    <message>
        <source>&amp;Settings</source>
        <translation>&amp;Paramètres</translation>
    </message>
    <message>
        <source>&amp;Printer Setup</source>
        <translation>Configuration de l&apos;&amp;imprimante</translation>
    </message>
    <message>
        <source>&amp;About</source>
        <translation>À &amp;propos</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Aide</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>&amp;Quitter</translation>
    </message>
    <message>
        <source>Home Page</source>
        <translation>Page d&apos;accueil</translation>
    </message>
    <message>
        <source>Email</source>
        <translation>Courriel</translation>
    </message>
    <message>
        <source>load image(s) </source>
        <translation>Charger des images </translation>
    </message>
    <message>
        <source>load image(s) from list</source>
        <translation>Charger des images depuis la liste</translation>
    </message>
    <message>
        <source>remove selected image(s) from frame(s)</source>
        <translation>Retirer les images sélectionnées des cadres</translation>
    </message>
    <message>
        <source>rotate selected image(s)</source>
        <translation>Faire pivoter les images sélectionnées</translation>
    </message>
    <message>
        <source>flip selected image(s) - vertically</source>
        <translation>Retourner verticalement les images sélectionnées</translation>
    </message>
    <message>
        <source>flip selected image(s) - horizontally</source>
        <translation>Retourner horizontalement les images sélectionnées</translation>
    </message>
    <message>
        <source>set aspect ratio to match selected image</source>
        <translation>Adapter le rapport largeur/hauteur à l&apos;image sélectionnée</translation>
    </message>
    <message>
        <source>set image size to match
frame size &amp; centre
on selected frames.</source>
        <translation>Adapter la taille de l&apos;image
à celle du cadre et centrer
(cadres sélectionnés).</translation>
    </message>
    <message>
        <source>Frames </source>
        <translation>Cadres </translation>
    </message>
    <message>
        <source>number of frames on page</source>
        <translation>Nombre de cadres sur la page</translation>
    </message>
    <message>
        <source>print cut marks</source>
        <translation>Imprimer les traits de coupe</translation>
    </message>
    <message>
        <source>print image properties in margin</source>
        <translation>Imprimer les propriétés de l&apos;image dans la marge</translation>
    </message>
    <message>
        <source>stop printing </source>
        <translation>Arrêter l&apos;impression </translation>
    </message>
    <message>
        <source>print </source>
        <translation>Imprimer </translation>
    </message>
    <message>
        <source>print - load - print (from image list)</source>
        <translation>Imprimer – charger – imprimer (depuis la liste d&apos;images)</translation>
    </message>
    <message>
        <source>help </source>
        <translation>Aide </translation>
    </message>
    <message>
        <source>Printer : </source>
        <translation>Imprimante : </translation>
    </message>
    <message>
        <source>Toolbar</source>
        <translation>Barre d&apos;outils</translation>
    </message>
</context>
<context>
    <name>imaging::EditImageWindow</name>
    <message>
        <source>Edit Image </source>
        <translation>Retoucher l&apos;image </translation>
    </message>
    <message>
        <source>Image details (printed in margins)</source>
        <translation>Détails de l&apos;image (imprimés dans les marges)</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>Paginor </source>
        <translation>Paginor </translation>
    </message>
    <message>
        <source>Image Tools </source>
        <translation>Outils d&apos;image </translation>
    </message>
    <message>
        <source>Crop &amp;&amp; Zoom </source>
        <translation>Recadrer &amp;&amp; zoomer </translation>
    </message>
    <message>
        <source>Zoom</source>
        <translation>Zoom</translation>
    </message>
    <message>
        <source>Centre</source>
        <translation>Centrer</translation>
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
        <translation>Filtre de rééchantillonnage </translation>
    </message>
    <message>
        <source>Sharpen &amp;&amp; Blur</source>
        <translation>Netteté &amp;&amp; flou</translation>
    </message>
    <message>
        <source>Sharpen</source>
        <translation>Renforcer la netteté</translation>
    </message>
    <message>
        <source>Enhance Edges </source>
        <translation>Accentuer les contours </translation>
    </message>
    <message>
        <source>Soften </source>
        <translation>Adoucir </translation>
    </message>
    <message>
        <source>Blur </source>
        <translation>Flou </translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>Appliquer</translation>
    </message>
    <message>
        <source>Brightness</source>
        <translation>Luminosité</translation>
    </message>
    <message>
        <source>Gamma Curve</source>
        <translation>Courbe gamma</translation>
    </message>
    <message>
        <source>Save Curve </source>
        <translation>Enregistrer la courbe </translation>
    </message>
    <message>
        <source>Contrast Curves</source>
        <translation>Courbes de contraste</translation>
    </message>
    <message>
        <source>Edit me!</source>
        <translation>Modifiez-moi !</translation>
    </message>
    <message>
        <source>Load</source>
        <translation>Charger</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Enregistrer</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>Réinitialiser</translation>
    </message>
    <message>
        <source>Adjust Color    </source>
        <translation>Ajuster les couleurs    </translation>
    </message>
    <message>
        <source>Cyan</source>
        <translation>Cyan</translation>
    </message>
    <message>
        <source>Red</source>
        <translation>Rouge</translation>
    </message>
    <message>
        <source>Magenta</source>
        <translation>Magenta</translation>
    </message>
    <message>
        <source>Green</source>
        <translation>Vert</translation>
    </message>
    <message>
        <source>Yellow</source>
        <translation>Jaune</translation>
    </message>
    <message>
        <source>Blue</source>
        <translation>Bleu</translation>
    </message>
</context>
<context>
    <name>page::FrameCommandsUi</name>
    <message>
        <source>Load</source>
        <translation>Charger</translation>
    </message>
    <message>
        <source>Load from TWAIN</source>
        <translation>Charger depuis TWAIN</translation>
    </message>
    <message>
        <source>Frame Copy</source>
        <translation>Copier le cadre</translation>
    </message>
    <message>
        <source>Frame Paste</source>
        <translation>Coller le cadre</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Retirer</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Copier</translation>
    </message>
    <message>
        <source>Paste</source>
        <translation>Coller</translation>
    </message>
    <message>
        <source>Reload</source>
        <translation>Recharger</translation>
    </message>
    <message>
        <source>Original</source>
        <translation>Original</translation>
    </message>
    <message>
        <source>Modified Export (!)</source>
        <translation>Exporter la version modifiée (!)</translation>
    </message>
    <message>
        <source>Export Images ... </source>
        <translation>Exporter les images ... </translation>
    </message>
    <message>
        <source>Rotate 90°</source>
        <translation>Rotation de 90°</translation>
    </message>
    <message>
        <source>Vertical Flip</source>
        <translation>Retourner verticalement</translation>
    </message>
    <message>
        <source>Horizontal Flip</source>
        <translation>Retourner horizontalement</translation>
    </message>
    <message>
        <source>Grayscale</source>
        <translation>Niveaux de gris</translation>
    </message>
    <message>
        <source>Resample</source>
        <translation>Rééchantillonner</translation>
    </message>
    <message>
        <source>Apply Curves</source>
        <translation>Appliquer les courbes</translation>
    </message>
    <message>
        <source>Edit Image</source>
        <translation>Retoucher l&apos;image</translation>
    </message>
    <message>
        <source>Save Frame&apos;s Image</source>
        <translation>Enregistrer l&apos;image du cadre</translation>
    </message>
    <message>
        <source>Extended Image Details </source>
        <translation>Détails étendus de l&apos;image </translation>
    </message>
    <message>
        <source>Original (%1)</source>
        <translation>Original (%1)</translation>
    </message>
    <message>
        <source>Modified (!%1)</source>
        <translation>Modifiée (!%1)</translation>
    </message>
</context>
<context>
    <name>page::ImageLoader</name>
    <message>
        <source> Resample @ %1% </source>
        <translation> Rééchantillonnée à %1% </translation>
    </message>
    <message>
        <source> Using &apos;%1&apos; contrast curve</source>
        <translation> avec la courbe de contraste &apos;%1&apos;</translation>
    </message>
</context>
<context>
    <name>printing::PreviewWindow</name>
    <message>
        <source>Printer Preview</source>
        <translation>Aperçu avant impression</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>&amp;Affichage</translation>
    </message>
    <message>
        <source>&amp;Actual Size</source>
        <translation>Taille &amp;réelle</translation>
    </message>
    <message>
        <source>&amp;Fit to Window</source>
        <translation>&amp;Ajuster à la fenêtre</translation>
    </message>
    <message>
        <source>Rotate 90 </source>
        <translation>Rotation de 90° </translation>
    </message>
    <message>
        <source>Prefs</source>
        <translation>Préférences</translation>
    </message>
    <message>
        <source>Auto rotate portrait pages to landscape</source>
        <translation>Faire pivoter automatiquement les pages portrait en paysage</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>&amp;Quitter</translation>
    </message>
</context>
<context>
    <name>settings::ResampleDialog</name>
    <message>
        <source>Resample images  </source>
        <translation>Rééchantillonner les images  </translation>
    </message>
    <message>
        <source>Size</source>
        <translation>Taille</translation>
    </message>
    <message>
        <source>%</source>
        <translation>%</translation>
    </message>
    <message>
        <source>of original image size </source>
        <translation>de la taille d&apos;origine </translation>
    </message>
    <message>
        <source>Using the </source>
        <translation>Avec le filtre </translation>
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
        <translation>Annuler</translation>
    </message>
</context>
<context>
    <name>settings::SettingsDialog</name>
    <message>
        <source>Change settings</source>
        <translation>Modifier les paramètres</translation>
    </message>
    <message>
        <source>General </source>
        <translation>Général </translation>
    </message>
    <message>
        <source>Folders &amp;&amp; Files </source>
        <translation>Dossiers &amp;&amp; fichiers </translation>
    </message>
    <message>
        <source>Saving Images / Pages</source>
        <translation>Enregistrement des images / pages</translation>
    </message>
    <message>
        <source>On image load</source>
        <translation>Au chargement des images</translation>
    </message>
    <message>
        <source>On Print </source>
        <translation>À l&apos;impression </translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>Try to get embedded image data &amp;&amp; print in margins </source>
        <translation>Lire les données intégrées à l&apos;image &amp;&amp; les imprimer dans les marges </translation>
    </message>
    <message>
        <source>File name</source>
        <translation>Nom du fichier</translation>
    </message>
    <message>
        <source>Date dd/mm/yy</source>
        <translation>Date jj/mm/aa</translation>
    </message>
    <message>
        <source>Date mm/dd/yy</source>
        <translation>Date mm/jj/aa</translation>
    </message>
    <message>
        <source>Time taken</source>
        <translation>Heure de prise de vue</translation>
    </message>
    <message>
        <source>Exposure</source>
        <translation>Exposition</translation>
    </message>
    <message>
        <source>Flash</source>
        <translation>Flash</translation>
    </message>
    <message>
        <source>Text string </source>
        <translation>Texte libre </translation>
    </message>
    <message>
        <source>&amp;Image Margins</source>
        <translation>Marges des &amp;images</translation>
    </message>
    <message>
        <source>mm</source>
        <translation>mm</translation>
    </message>
    <message>
        <source>Set Default </source>
        <translation>Par défaut </translation>
    </message>
    <message>
        <source>&amp;Page Margin </source>
        <translation>Marge de la &amp;page </translation>
    </message>
    <message>
        <source>Centre image on paper</source>
        <translation>Centrer l&apos;image sur le papier</translation>
    </message>
    <message>
        <source>Frame Aspect</source>
        <translation>Format des cadres</translation>
    </message>
    <message>
        <source>Set Default</source>
        <translation>Par défaut</translation>
    </message>
    <message>
        <source>Measurement System</source>
        <translation>Système de mesure</translation>
    </message>
    <message>
        <source>Inches</source>
        <translation>Pouces</translation>
    </message>
    <message>
        <source>&amp;Layout area size </source>
        <translation>Taille de la zone de &amp;mise en page </translation>
    </message>
    <message>
        <source>Default Folders </source>
        <translation>Dossiers par défaut </translation>
    </message>
    <message>
        <source>Image Folder</source>
        <translation>Dossier des images</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Effacer</translation>
    </message>
    <message>
        <source>Curve Folders </source>
        <translation>Dossiers des courbes </translation>
    </message>
    <message>
        <source>Export images to </source>
        <translation>Exporter les images vers </translation>
    </message>
    <message>
        <source>Associated application </source>
        <translation>Application associée </translation>
    </message>
    <message>
        <source>Selected application </source>
        <translation>Application choisie </translation>
    </message>
    <message>
        <source>Jpeg Quality Setting - for all Jpeg saved files  </source>
        <translation>Qualité JPEG – pour tous les fichiers JPEG enregistrés  </translation>
    </message>
    <message>
        <source>100 = Best</source>
        <translation>100 = meilleure</translation>
    </message>
    <message>
        <source>When saving pages - store images as : </source>
        <translation>À l&apos;enregistrement des pages, stocker les images en : </translation>
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
        <translation>À l&apos;enregistrement d&apos;images isolées </translation>
    </message>
    <message>
        <source>Write props file (.VDT)</source>
        <translation>Écrire le fichier de propriétés (.VDT)</translation>
    </message>
    <message>
        <source>Show warning dialog box on image load (if any onload options enabled)</source>
        <translation>Afficher un avertissement au chargement (si des options de chargement sont actives)</translation>
    </message>
    <message>
        <source> Apply contrast curve      </source>
        <translation> Appliquer une courbe de contraste      </translation>
    </message>
    <message>
        <source>Resample images  </source>
        <translation>Rééchantillonner les images  </translation>
    </message>
    <message>
        <source>to </source>
        <translation>à </translation>
    </message>
    <message>
        <source> % of original </source>
        <translation> % de l&apos;original </translation>
    </message>
    <message>
        <source>Using the </source>
        <translation>Avec le filtre </translation>
    </message>
    <message>
        <source>filter </source>
        <translation> </translation>
    </message>
    <message>
        <source>Position </source>
        <translation>Position </translation>
    </message>
    <message>
        <source>Auto rotate</source>
        <translation>Rotation automatique</translation>
    </message>
    <message>
        <source>Automatically rotates image
files to match frame orientation.</source>
        <translation>Fait pivoter automatiquement les images
selon l&apos;orientation du cadre.</translation>
    </message>
    <message>
        <source>Auto centre</source>
        <translation>Centrage automatique</translation>
    </message>
    <message>
        <source>When folders are Dragged &amp;&amp; Dropped</source>
        <translation>Quand des dossiers sont glissés-déposés</translation>
    </message>
    <message>
        <source>Check all sub folders </source>
        <translation>Parcourir tous les sous-dossiers </translation>
    </message>
    <message>
        <source>Filter</source>
        <translation>Filtre</translation>
    </message>
    <message>
        <source>(image) files </source>
        <translation>fichiers (image) </translation>
    </message>
    <message>
        <source>Print (in margins) </source>
        <translation>Imprimer (dans les marges) </translation>
    </message>
    <message>
        <source>Image details </source>
        <translation>Détails de l&apos;image </translation>
    </message>
    <message>
        <source>Cut marks</source>
        <translation>Traits de coupe</translation>
    </message>
    <message>
        <source>Fonts</source>
        <translation>Polices</translation>
    </message>
    <message>
        <source>Colour</source>
        <translation>Couleur</translation>
    </message>
    <message>
        <source>Cut mark Width </source>
        <translation>Largeur des traits de coupe </translation>
    </message>
    <message>
        <source>Resample</source>
        <translation>Rééchantillonner</translation>
    </message>
    <message>
        <source>when printing to printer</source>
        <translation>à l&apos;impression sur l&apos;imprimante</translation>
    </message>
    <message>
        <source>Windows print Queue </source>
        <translation>File d&apos;impression </translation>
    </message>
    <message>
        <source>Wait until Print Queue is empty before printing</source>
        <translation>Attendre que la file d&apos;impression soit vide avant d&apos;imprimer</translation>
    </message>
    <message>
        <source>Print to image - file characteristics  </source>
        <translation>Impression dans un fichier image – caractéristiques  </translation>
    </message>
    <message>
        <source>Jpeg</source>
        <translation>JPEG</translation>
    </message>
    <message>
        <source>Type </source>
        <translation>Type </translation>
    </message>
    <message>
        <source>Use the printers </source>
        <translation>Utiliser celle de l&apos;imprimante </translation>
    </message>
    <message>
        <source>Resolution</source>
        <translation>Résolution</translation>
    </message>
    <message>
        <source>Set to </source>
        <translation>Régler sur </translation>
    </message>
    <message>
        <source>dpi</source>
        <translation>ppp</translation>
    </message>
    <message>
        <source>Resample </source>
        <translation>Rééchantillonner </translation>
    </message>
    <message>
        <source>Read camera data from any JPEG</source>
        <translation>Lire les données de l&apos;appareil dans tout fichier JPEG</translation>
    </message>
    <message>
        <source>Convert photos with a colour profile to sRGB</source>
        <translation>Convertir en sRGB les photos dotées d&apos;un profil de couleurs</translation>
    </message>
    <message>
        <source>Long batches</source>
        <translation>Longs lots</translation>
    </message>
    <message>
        <source>Pass over files that can&apos;t be read, without a message</source>
        <translation>Ignorer sans message les fichiers illisibles</translation>
    </message>
    <message>
        <source>Warn below this many pixels per inch (0 = never)</source>
        <translation>Avertir en dessous de ce nombre de pixels par pouce (0 = jamais)</translation>
    </message>
    <message>
        <source>Ask before printing frames below it</source>
        <translation>Demander avant d&apos;imprimer des cadres en dessous</translation>
    </message>
    <message>
        <source>Turn photos upright as their camera recorded</source>
        <translation>Redresser les photos comme l’appareil l’a enregistré</translation>
    </message>
</context>
<context>
    <name>settings::WarningDialog</name>
    <message>
        <source>Warning - Image Load Settings are active !</source>
        <translation>Attention – des réglages de chargement d&apos;images sont actifs !</translation>
    </message>
    <message>
        <source>All loaded image files will be </source>
        <translation>Toutes les images chargées seront </translation>
    </message>
    <message>
        <source>Don&apos;t show this message again </source>
        <translation>Ne plus afficher ce message </translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>Resampled @ %1%</source>
        <translation>rééchantillonnées à %1%</translation>
    </message>
    <message>
        <source>Re-Contrasted with %1</source>
        <translation>recontrastées avec %1</translation>
    </message>
    <message>
        <source>Autorated</source>
        <translation>pivotées automatiquement</translation>
    </message>
    <message>
        <source>AutoCentred</source>
        <translation>centrées automatiquement</translation>
    </message>
</context>
</TS>
