<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es" sourcelanguage="en">
<context>
    <name>Paginor</name>
    <message>
        <source>Many photographs, one printed page.</source>
        <translation>Muchas fotos, una sola página impresa.</translation>
    </message>
    <message>
        <source>Lays 1 to 16 photographs on a page and prints them with cut marks and captions.</source>
        <translation>Coloca de 1 a 16 fotos en una página y las imprime con marcas de corte y pies de foto.</translation>
    </message>
    <message>
        <source>The clipboard is currently holding image data.
Do you want to save this data for other applications ?</source>
        <translation>El portapapeles contiene ahora datos de imagen.
¿Desea conservarlos para otras aplicaciones?</translation>
    </message>
    <message>
        <source>Do you want the current settings saved as a default ?</source>
        <translation>¿Desea guardar la configuración actual como predeterminada?</translation>
    </message>
    <message>
        <source>Printer Setup</source>
        <translation>Configurar impresora</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>Aceptar</translation>
    </message>
    <message>
        <source>Can&apos;t open layout file</source>
        <translation>No se puede abrir el archivo de diseño</translation>
    </message>
    <message>
        <source>Not a Paginor layout file</source>
        <translation>No es un archivo de diseño de Paginor</translation>
    </message>
    <message>
        <source>Save Page</source>
        <translation>Guardar página</translation>
    </message>
    <message>
        <source>Load Page</source>
        <translation>Cargar página</translation>
    </message>
    <message>
        <source>Saving Page</source>
        <translation>Guardando la página</translation>
    </message>
    <message>
        <source>Selection Error</source>
        <translation>Error de selección</translation>
    </message>
    <message>
        <source>Drive Error - Unable to save Props file</source>
        <translation>Error de disco: no se puede guardar el archivo de propiedades</translation>
    </message>
    <message>
        <source>Save image file</source>
        <translation>Guardar archivo de imagen</translation>
    </message>
    <message>
        <source>Saving Image</source>
        <translation>Guardando la imagen</translation>
    </message>
    <message>
        <source>Saving Bitmap Image</source>
        <translation>Guardando la imagen de mapa de bits</translation>
    </message>
    <message>
        <source>Nothing to print!</source>
        <translation>¡No hay nada que imprimir!</translation>
    </message>
    <message>
        <source>Try 4!!</source>
        <translation>¡¡Pruebe con 4!!</translation>
    </message>
    <message>
        <source>Printing ...</source>
        <translation>Imprimiendo ...</translation>
    </message>
    <message>
        <source>Printing</source>
        <translation>Imprimiendo</translation>
    </message>
    <message>
        <source>Waiting for empty Printer Queue..... </source>
        <translation>Esperando a que se vacíe la cola de impresión..... </translation>
    </message>
    <message>
        <source>Saving Jpeg Image</source>
        <translation>Guardando la imagen JPEG</translation>
    </message>
    <message>
        <source>Saving Bmp Image...</source>
        <translation>Guardando la imagen BMP...</translation>
    </message>
    <message>
        <source>The page is too small for the frames and the gaps between them</source>
        <translation>La página es demasiado pequeña para los marcos y los espacios entre ellos</translation>
    </message>
    <message>
        <source>The page bitmap would be too large: choose a lower resolution</source>
        <translation>El mapa de bits de la página sería demasiado grande: elija una resolución menor</translation>
    </message>
    <message>
        <source>the program the desktop associates with it</source>
        <translation>el programa que el escritorio le asocia</translation>
    </message>
    <message>
        <source>The picture on the clipboard could not be read</source>
        <translation>No se pudo leer la imagen del portapapeles</translation>
    </message>
    <message>
        <source>All images</source>
        <translation>Todas las imágenes</translation>
    </message>
    <message>
        <source>All files</source>
        <translation>Todos los archivos</translation>
    </message>
    <message>
        <source>Load image files - </source>
        <translation>Cargar archivos de imagen – </translation>
    </message>
    <message>
        <source>Add files to list </source>
        <translation>Añadir archivos a la lista </translation>
    </message>
    <message>
        <source>Sorry : Can&apos;t load images because :
No frames are selected - Select some frames and try again.</source>
        <translation>No se pueden cargar las imágenes porque:
No hay marcos seleccionados. Seleccione algunos marcos y vuelva a intentarlo.</translation>
    </message>
    <message>
        <source>Not a valid image file</source>
        <translation>No es un archivo de imagen válido</translation>
    </message>
    <message>
        <source>Loading Images</source>
        <translation>Cargando imágenes</translation>
    </message>
    <message>
        <source>Searching folders ....</source>
        <translation>Buscando en las carpetas ....</translation>
    </message>
    <message>
        <source>Finished Searching folders ....</source>
        <translation>Búsqueda en las carpetas terminada ....</translation>
    </message>
    <message>
        <source>The file list isn&apos;t empty. 
Do you want to clear the current file list ? 
YES clears the list - No appends to the current list</source>
        <translation>La lista de archivos no está vacía. 
¿Desea vaciar la lista de archivos actual? 
SÍ vacía la lista; No añade a la lista actual</translation>
    </message>
    <message>
        <source>The image list isn&apos;t empty. 
Do you want to clear the current image list ? 
YES clears the list - No appends to the current list</source>
        <translation>La lista de imágenes no está vacía. 
¿Desea vaciar la lista de imágenes actual? 
SÍ vacía la lista; No añade a la lista actual</translation>
    </message>
    <message>
        <source>Image being processed</source>
        <translation>Procesando la imagen</translation>
    </message>
    <message>
        <source>Not enough resources available to apply curve </source>
        <translation>No hay recursos suficientes para aplicar la curva </translation>
    </message>
    <message>
        <source>Applying image correction curve </source>
        <translation>Aplicando la curva de corrección de imagen </translation>
    </message>
    <message>
        <source> Not enough system resources available - try less frames</source>
        <translation> No hay suficientes recursos del sistema; pruebe con menos marcos</translation>
    </message>
    <message>
        <source> Not enough system resources available</source>
        <translation> No hay suficientes recursos del sistema</translation>
    </message>
    <message>
        <source>ODEAR</source>
        <translation>VAYA</translation>
    </message>
    <message>
        <source>Aspect ratio is &lt; 0, try rotating the image</source>
        <translation>La relación de aspecto es &lt; 0; pruebe a girar la imagen</translation>
    </message>
    <message>
        <source>The stored number of frames is not 1, 2, 4, 8 or 16; using 4</source>
        <translation>El número de marcos guardado no es 1, 2, 4, 8 ni 16; se usa 4</translation>
    </message>
    <message>
        <source>The stored frame aspect ratio is not usable; using 1.333333</source>
        <translation>La relación de aspecto de marco guardada no es válida; se usa 1,333333</translation>
    </message>
    <message>
        <source>Updating...</source>
        <translation>Actualizando...</translation>
    </message>
    <message>
        <source>Jpeg files (*.jpg)</source>
        <translation>Archivos JPEG (*.jpg)</translation>
    </message>
    <message>
        <source>Bitmap files (*.bmp)</source>
        <translation>Archivos de mapa de bits (*.bmp)</translation>
    </message>
    <message>
        <source>Can&apos;t save settings</source>
        <translation>No se puede guardar la configuración</translation>
    </message>
    <message>
        <source>Can&apos;t run Paginor because there is no default printer available.
Hint - Install or set up a default printer.</source>
        <translation>Paginor no puede iniciarse porque no hay ninguna impresora predeterminada.
Consejo: instale o configure una impresora predeterminada.</translation>
    </message>
    <message>
        <source>Please install a printer</source>
        <translation>Instale una impresora</translation>
    </message>
    <message>
        <source>Selected application </source>
        <translation>Aplicación elegida </translation>
    </message>
    <message>
        <source>Application files (*)</source>
        <translation>Archivos de aplicación (*)</translation>
    </message>
    <message>
        <source>Color selection dialog failed to load.</source>
        <translation>No se pudo cargar el diálogo de selección de color.</translation>
    </message>
    <message>
        <source>Paginor curves (*.tcv)</source>
        <translation>Curvas de Paginor (*.tcv)</translation>
    </message>
    <message>
        <source>Not enough resources available to adjust image</source>
        <translation>No hay recursos suficientes para ajustar la imagen</translation>
    </message>
    <message>
        <source>No images selected</source>
        <translation>No hay imágenes seleccionadas</translation>
    </message>
    <message>
        <source>You can only adjust 1 image at a time</source>
        <translation>Solo se puede ajustar 1 imagen a la vez</translation>
    </message>
    <message>
        <source>Cannot open the image file</source>
        <translation>No se puede abrir el archivo de imagen</translation>
    </message>
    <message>
        <source>Cannot read the image file</source>
        <translation>No se puede leer el archivo de imagen</translation>
    </message>
    <message>
        <source>This system has no reader for the image file</source>
        <translation>Este sistema no tiene un lector para el archivo de imagen</translation>
    </message>
    <message>
        <source>The image is too large to load</source>
        <translation>La imagen es demasiado grande para cargarla</translation>
    </message>
    <message>
        <source>Corrupt or truncated JPEG data</source>
        <translation>Datos JPEG dañados o truncados</translation>
    </message>
    <message>
        <source>Cannot write the image file</source>
        <translation>No se puede escribir el archivo de imagen</translation>
    </message>
    <message>
        <source>JPEG quality must be between 1 and 100</source>
        <translation>La calidad JPEG debe estar entre 1 y 100</translation>
    </message>
    <message>
        <source>There is no picture to save</source>
        <translation>No hay ninguna imagen que guardar</translation>
    </message>
    <message>
        <source>The picture is too large for a BMP file</source>
        <translation>La imagen es demasiado grande para un archivo BMP</translation>
    </message>
    <message>
        <source>A palette file holds no picture</source>
        <translation>Un archivo de paleta no contiene ninguna imagen</translation>
    </message>
    <message>
        <source>The zoom factor must be above 0</source>
        <translation>El factor de zoom debe ser mayor que 0</translation>
    </message>
    <message>
        <source>Can Flip/Reverse only 24-bit bitmap</source>
        <translation>Solo se pueden voltear/invertir mapas de bits de 24 bits</translation>
    </message>
    <message>
        <source>Can Rotate90 only 24-bit bitmap</source>
        <translation>Solo se pueden girar 90° mapas de bits de 24 bits</translation>
    </message>
    <message>
        <source>Rotate90:  Angle not positive multiple of 90 degrees</source>
        <translation>Giro de 90°: el ángulo no es un múltiplo positivo de 90 grados</translation>
    </message>
    <message>
        <source>Can&apos;t resample: the picture and the new size must be at least 1 pixel wide and 2 pixels high</source>
        <translation>No se puede remuestrear: la imagen y el nuevo tamaño deben tener al menos 1 píxel de ancho y 2 de alto</translation>
    </message>
    <message>
        <source>Can&apos;t resample: the new size is too large</source>
        <translation>No se puede remuestrear: el nuevo tamaño es demasiado grande</translation>
    </message>
    <message>
        <source>Unknown resampling filter</source>
        <translation>Filtro de remuestreo desconocido</translation>
    </message>
    <message>
        <source>Resampling support out of range</source>
        <translation>Soporte de remuestreo fuera de rango</translation>
    </message>
    <message>
        <source>Unknown filter style</source>
        <translation>Tipo de filtro desconocido</translation>
    </message>
    <message>
        <source>Gamma must be a number above 0</source>
        <translation>La gamma debe ser un número mayor que 0</translation>
    </message>
    <message>
        <source>Can&apos;t fit the picture: the aspect ratio gives no usable width</source>
        <translation>No se puede ajustar la imagen: la relación de aspecto no da un ancho utilizable</translation>
    </message>
    <message>
        <source>The source and destination bitmaps differ in size or format</source>
        <translation>Los mapas de bits de origen y destino difieren en tamaño o formato</translation>
    </message>
    <message>
        <source>Only 24-bit and 32-bit bitmaps can be processed</source>
        <translation>Solo se pueden procesar mapas de bits de 24 y 32 bits</translation>
    </message>
    <message>
        <source>Number of columns should be positive</source>
        <translation>El número de columnas debe ser positivo</translation>
    </message>
    <message>
        <source>Number of rows should be positive</source>
        <translation>El número de filas debe ser positivo</translation>
    </message>
    <message>
        <source>Handle size should be in [0..16] range</source>
        <translation>El tamaño del tirador debe estar en el rango [0..16]</translation>
    </message>
    <message>
        <source>Unexpected string end</source>
        <translation>Fin de texto inesperado</translation>
    </message>
    <message>
        <source>Number expected</source>
        <translation>Se esperaba un número</translation>
    </message>
    <message>
        <source>Number is invalid</source>
        <translation>Número no válido</translation>
    </message>
    <message>
        <source>Hint - <byte value="xd"/>
You can also use the mouse to<byte value="xd"/>
change the image position.  </source>
        <translation>Consejo: <byte value="xd"/>
También puede usar el ratón para<byte value="xd"/>
cambiar la posición de la imagen.  </translation>
    </message>
    <message>
        <source>Save Curve as </source>
        <translation>Guardar curva como </translation>
    </message>
    <message>
        <source>Open Curve</source>
        <translation>Abrir curva</translation>
    </message>
    <message>
        <source>Paginor Curves (*.tcv)</source>
        <translation>Curvas de Paginor (*.tcv)</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>&amp;Salir</translation>
    </message>
    <message>
        <source>Parameter</source>
        <translation>Parámetro</translation>
    </message>
    <message>
        <source>Data</source>
        <translation>Datos</translation>
    </message>
    <message>
        <source>Tag #</source>
        <translation>Etiqueta n.º</translation>
    </message>
    <message>
        <source>File name</source>
        <translation>Nombre de archivo</translation>
    </message>
    <message>
        <source>Extended Image info (Embedded in jpeg file) </source>
        <translation>Información ampliada de la imagen (incrustada en el archivo JPEG) </translation>
    </message>
    <message>
        <source>TWAIN Error</source>
        <translation>Error de TWAIN</translation>
    </message>
    <message>
        <source>TWAIN_SelectImageSource: window handle is invalid</source>
        <translation>TWAIN_SelectImageSource: el identificador de ventana no es válido</translation>
    </message>
    <message>
        <source>TWAIN_SelectImageSource: Unable to create proxy window</source>
        <translation>TWAIN_SelectImageSource: no se puede crear la ventana intermedia</translation>
    </message>
    <message>
        <source>Unable to create proxy window</source>
        <translation>No se puede crear la ventana intermedia</translation>
    </message>
    <message>
        <source>TWAIN_ReportLastError: an error occurred</source>
        <translation>TWAIN_ReportLastError: se produjo un error</translation>
    </message>
    <message>
        <source>Assertion failed</source>
        <translation>Falló una comprobación interna</translation>
    </message>
    <message>
        <source>Unable to open default Data Source.</source>
        <translation>No se puede abrir el origen de datos predeterminado.</translation>
    </message>
    <message>
        <source>Failed to negotiate Pixel Type.</source>
        <translation>No se pudo negociar el tipo de píxel.</translation>
    </message>
    <message>
        <source>Failed to enable Data Source.</source>
        <translation>No se pudo activar el origen de datos.</translation>
    </message>
    <message>
        <source>Not enough frames selected to hold all the images sent via TWAIN
The extra images will be ignored</source>
        <translation>No hay suficientes marcos seleccionados para todas las imágenes recibidas por TWAIN
Las imágenes sobrantes se ignorarán</translation>
    </message>
    <message>
        <source>Print anyway?</source>
        <translation>¿Imprimir de todos modos?</translation>
    </message>
    <message>
        <source>its queue will not empty, so nothing was printed</source>
        <translation>su cola no se vaciará, así que no se imprimió nada</translation>
    </message>
    <message>
        <source>the page waits in its queue until the printer is started again</source>
        <translation>la página espera en la cola hasta que se vuelva a iniciar la impresora</translation>
    </message>
    <message>
        <source>Some stored settings were refused and their defaults are used:</source>
        <translation>Se rechazaron algunos ajustes guardados y se usan sus valores predeterminados:</translation>
    </message>
    <message>
        <source>The help file %1 is missing.</source>
        <translation>Falta el archivo de ayuda %1.</translation>
    </message>
    <message>
        <source>%1 Selected</source>
        <translation>%1 seleccionado</translation>
    </message>
    <message>
        <source>Skipped: %1</source>
        <translation>Omitido: %1</translation>
    </message>
    <message>
        <source>Printer : %1</source>
        <translation>Impresora: %1</translation>
    </message>
    <message>
        <source>Not enough memory to load %1</source>
        <translation>No hay memoria suficiente para cargar %1</translation>
    </message>
    <message>
        <source>Corrupt or truncated JPEG data &apos;%1&apos;: the file is empty</source>
        <translation>Datos JPEG dañados o truncados &apos;%1&apos;: el archivo está vacío</translation>
    </message>
    <message>
        <source>Frame #%1 is cloned to other frames</source>
        <translation>El marco n.º %1 está duplicado en otros marcos</translation>
    </message>
    <message>
        <source>You can only copy one image at a time to the clipboard
Only image #%1 will be copied</source>
        <translation>Solo se puede copiar una imagen a la vez al portapapeles
Solo se copiará la imagen n.º %1</translation>
    </message>
    <message>
        <source>Can&apos;t export pasted images.....
Hint - Try pasting the image into 
%1</source>
        <translation>No se pueden exportar las imágenes pegadas.....
Consejo: pruebe a pegar la imagen en 
%1</translation>
    </message>
    <message>
        <source>Can&apos;t load : 
%1
with %2</source>
        <translation>No se puede cargar: 
%1
con %2</translation>
    </message>
    <message>
        <source>Modified file : 
%1
Does not exist </source>
        <translation>Archivo modificado: 
%1
no existe </translation>
    </message>
    <message>
        <source>Rotating Image%1</source>
        <translation>Girando la imagen %1</translation>
    </message>
    <message>
        <source>Rotating image in frame %1</source>
        <translation>Girando la imagen del marco %1</translation>
    </message>
    <message>
        <source>Adjusting image in frame %1</source>
        <translation>Ajustando la imagen del marco %1</translation>
    </message>
    <message>
        <source>Resampling image %1 to %2% of original image size</source>
        <translation>Remuestreando la imagen %1 al %2% del tamaño original</translation>
    </message>
    <message>
        <source>Can&apos;t load %1</source>
        <translation>No se puede cargar %1</translation>
    </message>
    <message>
        <source>Error - Can&apos;t open %1</source>
        <translation>Error: no se puede abrir %1</translation>
    </message>
    <message>
        <source>%1 more curve files were left out of &quot;Apply Curves&quot;</source>
        <translation>%1 archivos de curva más quedaron fuera de «Aplicar curvas»</translation>
    </message>
    <message>
        <source>Sorry - This applcation failed whilst initalising frame number %1</source>
        <translation>Lo siento: la aplicación falló al inicializar el marco n.º %1</translation>
    </message>
    <message>
        <source>%1 images selected </source>
        <translation>%1 imágenes seleccionadas </translation>
    </message>
    <message>
        <source>Can&apos;t open file %1</source>
        <translation>No se puede abrir el archivo %1</translation>
    </message>
    <message>
        <source>Can&apos;t write file %1</source>
        <translation>No se puede escribir el archivo %1</translation>
    </message>
    <message>
        <source>Frame %1: %2 pixels per inch</source>
        <translation>Marco %1: %2 píxeles por pulgada</translation>
    </message>
    <message>
        <source>Frame %1: %2 pixels per inch on %3</source>
        <translation>Marco %1: %2 píxeles por pulgada en %3</translation>
    </message>
    <message>
        <source>Frame %1: %2 pixels per inch (below %3)</source>
        <translation>Marco %1: %2 píxeles por pulgada (menos de %3)</translation>
    </message>
    <message>
        <source>Frame %1: %2 pixels per inch on %3 (below %4)</source>
        <translation>Marco %1: %2 píxeles por pulgada en %3 (menos de %4)</translation>
    </message>
    <message>
        <source>Frame %1 prints below %2 pixels per inch</source>
        <translation>El marco %1 se imprime a menos de %2 píxeles por pulgada</translation>
    </message>
    <message>
        <source>Frames %1 and %2 print below %3 pixels per inch</source>
        <translation>Los marcos %1 y %2 se imprimen a menos de %3 píxeles por pulgada</translation>
    </message>
    <message>
        <source>Frame %1 would be cut off by the page margin</source>
        <translation>El marco %1 quedaría cortado por el margen de la página</translation>
    </message>
    <message>
        <source>Frames %1 and %2 would be cut off by the page margin</source>
        <translation>Los marcos %1 y %2 quedarían cortados por el margen de la página</translation>
    </message>
    <message>
        <source>Sorry.... %1 frames not yet supported by print option</source>
        <translation>Lo siento.... %1 marcos aún no se admiten al imprimir</translation>
    </message>
    <message>
        <source>Resampling image %1 for printer</source>
        <translation>Remuestreando la imagen %1 para la impresora</translation>
    </message>
    <message>
        <source>Resampling image %1 for image file</source>
        <translation>Remuestreando la imagen %1 para el archivo de imagen</translation>
    </message>
    <message>
        <source>Resampling image %1 for preview</source>
        <translation>Remuestreando la imagen %1 para la vista previa</translation>
    </message>
    <message>
        <source>Waiting for empty Printer Queue..... (%1 job on %2)</source>
        <translation>Esperando a que se vacíe la cola de impresión..... (%1 trabajo en %2)</translation>
    </message>
    <message>
        <source>Waiting for empty Printer Queue..... (%1 jobs on %2)</source>
        <translation>Esperando a que se vacíe la cola de impresión..... (%1 trabajos en %2)</translation>
    </message>
    <message>
        <source>The printer %1 is stopped: %2</source>
        <translation>La impresora %1 está detenida: %2</translation>
    </message>
    <message>
        <source>The printer %1 is stopped (%2): %3</source>
        <translation>La impresora %1 está detenida (%2): %3</translation>
    </message>
    <message>
        <source>Can&apos;t ask the printer for its queue: %1</source>
        <translation>No se puede consultar la cola de la impresora: %1</translation>
    </message>
    <message>
        <source>Can&apos;t start printing on %1</source>
        <translation>No se puede empezar a imprimir en %1</translation>
    </message>
    <message>
        <source>The printer %1 refused the page: %2</source>
        <translation>La impresora %1 rechazó la página: %2</translation>
    </message>
    <message>
        <source>The page was stopped before frame %1 was ready</source>
        <translation>La página se detuvo antes de que el marco %1 estuviera listo</translation>
    </message>
    <message>
        <source>Can&apos;t write %1: %2</source>
        <translation>No se puede escribir %1: %2</translation>
    </message>
    <message>
        <source>Can&apos;t write %1</source>
        <translation>No se puede escribir %1</translation>
    </message>
    <message>
        <source>Saving Page - Embedding Image %1</source>
        <translation>Guardando la página – incrustando la imagen %1</translation>
    </message>
    <message>
        <source>Can&apos;t write the layout file %1: %2</source>
        <translation>No se puede escribir el archivo de diseño %1: %2</translation>
    </message>
    <message>
        <source>Frame %1 holds no picture of its own</source>
        <translation>El marco %1 no tiene imagen propia</translation>
    </message>
    <message>
        <source>Invalid data type for &apos;%1&apos;</source>
        <translation>Tipo de datos no válido para &apos;%1&apos;</translation>
    </message>
    <message>
        <source>Invalid value %1 for &apos;%2&apos;: %3</source>
        <translation>Valor %1 no válido para &apos;%2&apos;: %3</translation>
    </message>
    <message>
        <source>must be between %1 and %2</source>
        <translation>debe estar entre %1 y %2</translation>
    </message>
    <message>
        <source>Invalid value for &apos;%1&apos;: %2</source>
        <translation>Valor no válido para &apos;%1&apos;: %2</translation>
    </message>
    <message>
        <source>There is no default printer: printing goes to %1</source>
        <translation>No hay impresora predeterminada: se imprime en %1</translation>
    </message>
    <message>
        <source>Unable to load Source Manager (%1)</source>
        <translation>No se puede cargar el administrador de orígenes (%1)</translation>
    </message>
    <message>
        <source>Unable to open Source Manager (%1)</source>
        <translation>No se puede abrir el administrador de orígenes (%1)</translation>
    </message>
    <message>
        <source>The source manager cannot open the device %1</source>
        <translation>El administrador de orígenes no puede abrir el dispositivo %1</translation>
    </message>
    <message>
        <source>The source refused the option %1</source>
        <translation>El origen rechazó la opción %1</translation>
    </message>
    <message>
        <source>Delete the other frames before this one. </source>
        <translation>Elimine primero los otros marcos. </translation>
    </message>
    <message>
        <source>Do you want to overwrite this file ?</source>
        <translation>¿Desea sobrescribir este archivo?</translation>
    </message>
    <message>
        <source>must be 1, 2, 4, 8 or 16</source>
        <translation>debe ser 1, 2, 4, 8 o 16</translation>
    </message>
    <message>
        <source>must be a finite number</source>
        <translation>debe ser un número finito</translation>
    </message>
    <message>
        <source>must be above 0</source>
        <translation>debe ser mayor que 0</translation>
    </message>
    <message>
        <source>Box</source>
        <translation>Caja</translation>
    </message>
    <message>
        <source>Triangle</source>
        <translation>Triángulo</translation>
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
        <translation>No remuestrear </translation>
    </message>
    <message>
        <source>Use Box Filter</source>
        <translation>Usar el filtro Caja</translation>
    </message>
    <message>
        <source>Use Triangle Filter</source>
        <translation>Usar el filtro Triángulo</translation>
    </message>
    <message>
        <source>Use Hermitite Filter</source>
        <translation>Usar el filtro Hermite</translation>
    </message>
    <message>
        <source>Use Bell Filter</source>
        <translation>Usar el filtro Campana</translation>
    </message>
    <message>
        <source>Use Spline Filter</source>
        <translation>Usar el filtro Spline</translation>
    </message>
    <message>
        <source>Use Lanczos3 Filter</source>
        <translation>Usar el filtro Lanczos3</translation>
    </message>
    <message>
        <source>Use Mitchell Filter</source>
        <translation>Usar el filtro Mitchell</translation>
    </message>
    <message>
        <source>mm</source>
        <translation>mm</translation>
    </message>
    <message>
        <source>Inch</source>
        <translation>Pulgada</translation>
    </message>
    <message>
        <source>None</source>
        <translation>Ninguno</translation>
    </message>
    <message>
        <source>Select Source</source>
        <translation>Seleccionar origen</translation>
    </message>
    <message>
        <source>Select</source>
        <translation>Seleccionar</translation>
    </message>
    <message>
        <source>Sources:</source>
        <translation>Orígenes:</translation>
    </message>
    <message>
        <source>Mode:</source>
        <translation>Modo:</translation>
    </message>
    <message>
        <source>Resolution (dpi):</source>
        <translation>Resolución (ppp):</translation>
    </message>
    <message>
        <source>Source:</source>
        <translation>Origen:</translation>
    </message>
    <message>
        <source>Scan</source>
        <translation>Escanear</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Cerrar</translation>
    </message>
    <message>
        <source>Scanning failed: %1</source>
        <translation>Error al escanear: %1</translation>
    </message>
    <message>
        <source>Scan cancelled</source>
        <translation>Escaneo cancelado</translation>
    </message>
    <message>
        <source>The layout file names frame %1 of a page of %2</source>
        <translation>El archivo de diseño indica el marco %1 de una página de %2</translation>
    </message>
    <message>
        <source>The clone source of the layout file&apos;s line &quot;%1&quot; is not a number</source>
        <translation>El origen de copia de la línea «%1» del archivo de diseño no es un número</translation>
    </message>
    <message>
        <source>The frame number of the layout file&apos;s line &quot;%1&quot; is not a number</source>
        <translation>El número de marco de la línea «%1» del archivo de diseño no es un número</translation>
    </message>
    <message>
        <source>The frame count of the layout file is not a number: %1</source>
        <translation>El número de marcos del archivo de diseño no es un número: %1</translation>
    </message>
    <message>
        <source>The layout file names a member that is not a plain file name: %1</source>
        <translation>El archivo de diseño indica un elemento que no es un nombre de archivo simple: %1</translation>
    </message>
    <message>
        <source>The layout file holds more than one member named %1</source>
        <translation>El archivo de diseño contiene más de un elemento llamado %1</translation>
    </message>
    <message>
        <source>The layout file&apos;s member %1 cannot be read</source>
        <translation>No se puede leer el elemento %1 del archivo de diseño</translation>
    </message>
    <message>
        <source>The layout file&apos;s member %1 cannot be read: %2</source>
        <translation>No se puede leer el elemento %1 del archivo de diseño: %2</translation>
    </message>
    <message>
        <source>The layout file&apos;s member %1 would inflate to %2 bytes, more than any picture needs</source>
        <translation>El elemento %1 del archivo de diseño ocuparía %2 bytes al descomprimirse, más de lo que necesita cualquier imagen</translation>
    </message>
    <message>
        <source>Can&apos;t extract %1 into the temporary folder</source>
        <translation>No se puede extraer %1 en la carpeta temporal</translation>
    </message>
    <message>
        <source>Can&apos;t make a temporary folder in %1</source>
        <translation>No se puede crear una carpeta temporal en %1</translation>
    </message>
    <message>
        <source>There is no printer named &apos;%1&apos;</source>
        <translation>No hay ninguna impresora llamada &apos;%1&apos;</translation>
    </message>
    <message>
        <source>--set: there is no setting named &apos;%1&apos;</source>
        <translation>--set: no hay ningún ajuste llamado &apos;%1&apos;</translation>
    </message>
    <message>
        <source>N/A</source>
        <translation>N/D</translation>
    </message>
    <message>
        <source>Image Description</source>
        <translation>Descripción de la imagen</translation>
    </message>
    <message>
        <source>Camera Manufacturer</source>
        <translation>Fabricante de la cámara</translation>
    </message>
    <message>
        <source>Camera Model</source>
        <translation>Modelo de la cámara</translation>
    </message>
    <message>
        <source>Xres</source>
        <translation>Resolución X</translation>
    </message>
    <message>
        <source>Yres</source>
        <translation>Resolución Y</translation>
    </message>
    <message>
        <source>Resolution Units</source>
        <translation>Unidad de resolución</translation>
    </message>
    <message>
        <source>Camera Software version</source>
        <translation>Versión del software de la cámara</translation>
    </message>
    <message>
        <source>Date/Time (modified)</source>
        <translation>Fecha/hora (modificación)</translation>
    </message>
    <message>
        <source>Thumbnail Type</source>
        <translation>Tipo de miniatura</translation>
    </message>
    <message>
        <source>Copyright</source>
        <translation>Copyright</translation>
    </message>
    <message>
        <source>1 / Exposure</source>
        <translation>1 / exposición</translation>
    </message>
    <message>
        <source>Aperture (f number)</source>
        <translation>Apertura (número f)</translation>
    </message>
    <message>
        <source>Exif Version</source>
        <translation>Versión Exif</translation>
    </message>
    <message>
        <source>Date/Time (Orig)</source>
        <translation>Fecha/hora (original)</translation>
    </message>
    <message>
        <source>Date/Time (Digitized)</source>
        <translation>Fecha/hora (digitalización)</translation>
    </message>
    <message>
        <source>Jpeg Compression (bits/pixel)</source>
        <translation>Compresión JPEG (bits/píxel)</translation>
    </message>
    <message>
        <source>Shutter Speed</source>
        <translation>Velocidad de obturación</translation>
    </message>
    <message>
        <source>Aperture (Calculated)</source>
        <translation>Apertura (calculada)</translation>
    </message>
    <message>
        <source>Aperture (Max)</source>
        <translation>Apertura (máx.)</translation>
    </message>
    <message>
        <source>Subject distance (m) </source>
        <translation>Distancia al sujeto (m) </translation>
    </message>
    <message>
        <source>Metering Mode</source>
        <translation>Modo de medición</translation>
    </message>
    <message>
        <source>Light Source</source>
        <translation>Fuente de luz</translation>
    </message>
    <message>
        <source>Flash Used</source>
        <translation>Flash disparado</translation>
    </message>
    <message>
        <source>Focal Length (mm)</source>
        <translation>Distancia focal (mm)</translation>
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
        <translation>La imagen escaneada está vacía</translation>
    </message>
    <message>
        <source>The scanned image has no bitmap header</source>
        <translation>La imagen escaneada no tiene cabecera de mapa de bits</translation>
    </message>
    <message>
        <source>The scanned image is compressed</source>
        <translation>La imagen escaneada está comprimida</translation>
    </message>
    <message>
        <source>The scanned image has no usable size</source>
        <translation>La imagen escaneada no tiene un tamaño utilizable</translation>
    </message>
    <message>
        <source>The scanned image has an unknown bit count</source>
        <translation>La imagen escaneada tiene una profundidad de bits desconocida</translation>
    </message>
    <message>
        <source>The scanned image is shorter than its header says</source>
        <translation>La imagen escaneada es más corta de lo que indica su cabecera</translation>
    </message>
    <message>
        <source>There is no scanned image</source>
        <translation>No hay ninguna imagen escaneada</translation>
    </message>
    <message>
        <source>Frame %1: No file loaded</source>
        <translation>Marco %1: ningún archivo cargado</translation>
    </message>
    <message>
        <source>Frame %1: File %2
%3 AR= %4</source>
        <translation>Marco %1: archivo %2
%3 RA= %4</translation>
    </message>
    <message>
        <source>Printer : %1 | Image area : %2 mm x %3 mm  | Page Margin : %4 mm%5</source>
        <translation>Impresora: %1 | Área de imagen: %2 mm x %3 mm  | Margen de página: %4 mm%5</translation>
    </message>
    <message>
        <source>Printer : %1 | Image area : %2&quot; x %3&quot; | Page Margin : %4&quot;%5</source>
        <translation>Impresora: %1 | Área de imagen: %2&quot; x %3&quot; | Margen de página: %4&quot;%5</translation>
    </message>
    <message>
        <source>Loading Images%1</source>
        <translation>Cargando imágenes %1</translation>
    </message>
    <message>
        <source>The layout file ends before its %1 line</source>
        <translation>El archivo de diseño termina antes de su línea «%1»</translation>
    </message>
    <message>
        <source>A frame line of the layout file has no &quot;=&quot;: %1</source>
        <translation>Una línea de marco del archivo de diseño no tiene «=»: %1</translation>
    </message>
    <message>
        <source>frame count</source>
        <translation>número de marcos</translation>
    </message>
    <message>
        <source>aspect ratio</source>
        <translation>relación de aspecto</translation>
    </message>
    <message>
        <source>margin</source>
        <translation>margen</translation>
    </message>
    <message>
        <source>The layout file&apos;s member %1 is damaged: %2</source>
        <translation>El elemento %1 del archivo de diseño está dañado: %2</translation>
    </message>
    <message>
        <source>The layout file&apos;s member %1 inflates past the size the archive gives for it</source>
        <translation>El elemento %1 del archivo de diseño supera al descomprimirse el tamaño que indica el archivo</translation>
    </message>
    <message>
        <source>The layout file&apos;s member %1 could not be written to the temporary folder</source>
        <translation>No se pudo escribir el elemento %1 del archivo de diseño en la carpeta temporal</translation>
    </message>
    <message>
        <source>The layout file&apos;s member %1 is shorter than the archive says</source>
        <translation>El elemento %1 del archivo de diseño es más corto de lo que indica el archivo</translation>
    </message>
    <message>
        <source>Can&apos;t create the print spool file: %1</source>
        <translation>No se puede crear el archivo de cola de impresión: %1</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is stored more than once (as &apos;%2&apos;); the first is read</source>
        <translation>&apos;%1&apos; está guardado más de una vez (como &apos;%2&apos;); se lee el primero</translation>
    </message>
    <message>
        <source>Drag &amp;&amp; Drop
File extension &apos;%1&apos; is not a valid image format</source>
        <translation>Arrastrar y soltar
La extensión de archivo &apos;%1&apos; no es un formato de imagen válido</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>Not enough memory for a %1 x %2 image</source>
        <translation>No hay memoria suficiente para una imagen de %1 x %2</translation>
    </message>
    <message>
        <source>Can&apos;t open the log file %1: %2</source>
        <translation>No se puede abrir el archivo de registro %1: %2</translation>
    </message>
    <message>
        <source>The file %1 already exists on the disk.</source>
        <translation>El archivo %1 ya existe en el disco.</translation>
    </message>
    <message>
        <source>Animator Pro pictures and flic cels are not read</source>
        <translation>No se leen imágenes de Animator Pro ni celdas flic</translation>
    </message>
    <message>
        <source>not an Autodesk Animator picture</source>
        <translation>no es una imagen de Autodesk Animator</translation>
    </message>
    <message>
        <source>only 8-bit uncompressed Animator pictures exist</source>
        <translation>solo existen imágenes de Animator de 8 bits sin comprimir</translation>
    </message>
    <message>
        <source>the file is truncated</source>
        <translation>el archivo está truncado</translation>
    </message>
    <message>
        <source>too short for a bitmap</source>
        <translation>demasiado corto para un mapa de bits</translation>
    </message>
    <message>
        <source>not a device-independent bitmap</source>
        <translation>no es un mapa de bits independiente del dispositivo</translation>
    </message>
    <message>
        <source>not an ordinary file</source>
        <translation>no es un archivo normal</translation>
    </message>
    <message>
        <source>the file is larger than this machine can hold</source>
        <translation>el archivo es más grande de lo que este equipo puede contener</translation>
    </message>
    <message>
        <source>the image has no pixels</source>
        <translation>la imagen no tiene píxeles</translation>
    </message>
    <message>
        <source>%1 x %2 pixels</source>
        <translation>%1 x %2 píxeles</translation>
    </message>
    <message>
        <source>%1 x %2 pixels, more than this machine&apos;s memory</source>
        <translation>%1 x %2 píxeles, más que la memoria de este equipo</translation>
    </message>
    <message>
        <source>cannot be opened</source>
        <translation>no se puede abrir</translation>
    </message>
    <message>
        <source>too short for an RLA header</source>
        <translation>demasiado corto para una cabecera RLA</translation>
    </message>
    <message>
        <source>RLA pictures need GraphicsMagick&apos;s gm program</source>
        <translation>las imágenes RLA necesitan el programa gm de GraphicsMagick</translation>
    </message>
    <message>
        <source>gm did not finish</source>
        <translation>gm no terminó</translation>
    </message>
    <message>
        <source>the file is empty</source>
        <translation>el archivo está vacío</translation>
    </message>
    <message>
        <source>Corrupt JPEG data: %1 bytes cannot hold a %2 x %3 picture</source>
        <translation>Datos JPEG dañados: %1 bytes no pueden contener una imagen de %2 x %3</translation>
    </message>
    <message>
        <source>no such file</source>
        <translation>no existe el archivo</translation>
    </message>
    <message>
        <source>the file is truncated (no end-of-page codes)</source>
        <translation>el archivo está truncado (sin códigos de fin de página)</translation>
    </message>
    <message>
        <source>no picture in the file</source>
        <translation>no hay ninguna imagen en el archivo</translation>
    </message>
    <message>
        <source>&apos;(&apos; expected but found &apos;%1&apos;</source>
        <translation>Se esperaba &apos;(&apos; pero se encontró &apos;%1&apos;</translation>
    </message>
    <message>
        <source>&apos;,&apos; expected but &apos;%1&apos; found</source>
        <translation>Se esperaba &apos;,&apos; pero se encontró &apos;%1&apos;</translation>
    </message>
    <message>
        <source>&apos;)&apos; expected but &apos;%1&apos; found</source>
        <translation>Se esperaba &apos;)&apos; pero se encontró &apos;%1&apos;</translation>
    </message>
    <message>
        <source>Not enough memory available to finish this command</source>
        <translation>No hay memoria suficiente para terminar esta orden</translation>
    </message>
    <message>
        <source>This command stopped on an unexpected error</source>
        <translation>Esta orden se detuvo por un error inesperado</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Ayuda</translation>
    </message>
    <message>
        <source>Back</source>
        <translation>Atrás</translation>
    </message>
    <message>
        <source>Forward</source>
        <translation>Adelante</translation>
    </message>
    <message>
        <source>Contents</source>
        <translation>Contenido</translation>
    </message>
    <message>
        <source>Paginor help</source>
        <translation>Ayuda de Paginor</translation>
    </message>
    <message>
        <source>A new number of frames empties the page: the pictures in its frames are dropped.
Change the number of frames?</source>
        <translation>Un nuevo número de marcos vacía la página: se quitan las imágenes de sus marcos.
¿Cambiar el número de marcos?</translation>
    </message>
    <message>
        <source>The aspect ratio of the layout file is not a number above 0 and up to %1: %2</source>
        <translation>La relación de aspecto del archivo de diseño no es un número mayor que 0 y de hasta %1: %2</translation>
    </message>
    <message>
        <source>The margin of the layout file is not a number of millimetres from 0 to %1: %2</source>
        <translation>El margen del archivo de diseño no es un número de milímetros de 0 a %1: %2</translation>
    </message>
    <message>
        <source>Paginor layout files  (*.zip *.ZIP)</source>
        <translation>Archivos de diseño de Paginor  (*.zip *.ZIP)</translation>
    </message>
    <message>
        <source>Print to image file</source>
        <translation>Imprimir en un archivo de imagen</translation>
    </message>
    <message>
        <source>Printed Image file   (*.jpg *.jpeg)</source>
        <translation>Archivo de imagen impreso   (*.jpg *.jpeg)</translation>
    </message>
    <message>
        <source>Printed Image file  (*.bmp)</source>
        <translation>Archivo de imagen impreso  (*.bmp)</translation>
    </message>
    <message>
        <source>PDF document (*.pdf)</source>
        <translation>Documento PDF (*.pdf)</translation>
    </message>
    <message>
        <source>No scanner was found.</source>
        <translation>No se ha encontrado ningún escáner.</translation>
    </message>
    <message>
        <source>Look again</source>
        <translation>Buscar de nuevo</translation>
    </message>
    <message>
        <source>Looking for scanners…</source>
        <translation>Buscando escáneres…</translation>
    </message>
</context>
<context>
    <name>app::AboutDialog</name>
    <message>
        <source>OK</source>
        <translation>Aceptar</translation>
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
        <translation>&amp;Archivos</translation>
    </message>
    <message>
        <source>&amp;Load Selected</source>
        <translation>&amp;Cargar en la selección</translation>
    </message>
    <message>
        <source>Load from TWAIN</source>
        <translation>Cargar desde TWAIN</translation>
    </message>
    <message>
        <source>Add to file list</source>
        <translation>Añadir a la lista de archivos</translation>
    </message>
    <message>
        <source>Clear File list</source>
        <translation>Vaciar la lista de archivos</translation>
    </message>
    <message>
        <source>&amp;Remove Selected</source>
        <translation>&amp;Quitar la selección</translation>
    </message>
    <message>
        <source>Load Page - Zip</source>
        <translation>Cargar página – ZIP</translation>
    </message>
    <message>
        <source>Save Page - Zip</source>
        <translation>Guardar página – ZIP</translation>
    </message>
    <message>
        <source>&amp;Select</source>
        <translation>&amp;Selección</translation>
    </message>
    <message>
        <source>&amp;Select All</source>
        <translation>Seleccionar &amp;todo</translation>
    </message>
    <message>
        <source>&amp;DeSelect All</source>
        <translation>&amp;Deseleccionar todo</translation>
    </message>
    <message>
        <source>&amp;Print</source>
        <translation>&amp;Imprimir</translation>
    </message>
    <message>
        <source>Print Preview </source>
        <translation>Vista previa de impresión </translation>
    </message>
    <message>
        <source>&amp;Print to printer</source>
        <translation>&amp;Imprimir en la impresora</translation>
    </message>
    <message>
        <source>Print to image file</source>
        <translation>Imprimir en un archivo de imagen</translation>
    </message>
    <message>
        <source>S&amp;etup</source>
        <translation>&amp;Configuración</translation>
    </message>
    <message>
        <source>&amp;Settings</source>
        <translation>&amp;Ajustes</translation>
    </message>
    <message>
        <source>&amp;Printer Setup</source>
        <translation>Configurar &amp;impresora</translation>
    </message>
    <message>
        <source>&amp;About</source>
        <translation>&amp;Acerca de</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Ayuda</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>&amp;Salir</translation>
    </message>
    <message>
        <source>Home Page</source>
        <translation>Página de inicio</translation>
    </message>
    <message>
        <source>Email</source>
        <translation>Correo electrónico</translation>
    </message>
    <message>
        <source>load image(s) </source>
        <translation>Cargar imágenes </translation>
    </message>
    <message>
        <source>load image(s) from list</source>
        <translation>Cargar imágenes de la lista</translation>
    </message>
    <message>
        <source>remove selected image(s) from frame(s)</source>
        <translation>Quitar las imágenes seleccionadas de los marcos</translation>
    </message>
    <message>
        <source>rotate selected image(s)</source>
        <translation>Girar las imágenes seleccionadas</translation>
    </message>
    <message>
        <source>flip selected image(s) - vertically</source>
        <translation>Voltear verticalmente las imágenes seleccionadas</translation>
    </message>
    <message>
        <source>flip selected image(s) - horizontally</source>
        <translation>Voltear horizontalmente las imágenes seleccionadas</translation>
    </message>
    <message>
        <source>set aspect ratio to match selected image</source>
        <translation>Ajustar la relación de aspecto a la imagen seleccionada</translation>
    </message>
    <message>
        <source>set image size to match
frame size &amp; centre
on selected frames.</source>
        <translation>Ajustar el tamaño de la imagen
al del marco y centrar
(marcos seleccionados).</translation>
    </message>
    <message>
        <source>Frames </source>
        <translation>Marcos </translation>
    </message>
    <message>
        <source>number of frames on page</source>
        <translation>Número de marcos en la página</translation>
    </message>
    <message>
        <source>print cut marks</source>
        <translation>Imprimir marcas de corte</translation>
    </message>
    <message>
        <source>print image properties in margin</source>
        <translation>Imprimir las propiedades de la imagen en el margen</translation>
    </message>
    <message>
        <source>stop printing </source>
        <translation>Detener la impresión </translation>
    </message>
    <message>
        <source>print </source>
        <translation>Imprimir </translation>
    </message>
    <message>
        <source>print - load - print (from image list)</source>
        <translation>Imprimir – cargar – imprimir (desde la lista de imágenes)</translation>
    </message>
    <message>
        <source>help </source>
        <translation>Ayuda </translation>
    </message>
    <message>
        <source>Printer : </source>
        <translation>Impresora: </translation>
    </message>
    <message>
        <source>Toolbar</source>
        <translation>Barra de herramientas</translation>
    </message>
</context>
<context>
    <name>imaging::EditImageWindow</name>
    <message>
        <source>Edit Image </source>
        <translation>Editar imagen </translation>
    </message>
    <message>
        <source>Image details (printed in margins)</source>
        <translation>Detalles de la imagen (se imprimen en los márgenes)</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>Aceptar</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
    <message>
        <source>Paginor </source>
        <translation>Paginor </translation>
    </message>
    <message>
        <source>Image Tools </source>
        <translation>Herramientas de imagen </translation>
    </message>
    <message>
        <source>Crop &amp;&amp; Zoom </source>
        <translation>Recortar &amp;&amp; ampliar </translation>
    </message>
    <message>
        <source>Zoom</source>
        <translation>Zoom</translation>
    </message>
    <message>
        <source>Centre</source>
        <translation>Centrar</translation>
    </message>
    <message>
        <source>Position</source>
        <translation>Posición</translation>
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
        <translation>Filtro de remuestreo </translation>
    </message>
    <message>
        <source>Sharpen &amp;&amp; Blur</source>
        <translation>Enfocar &amp;&amp; desenfocar</translation>
    </message>
    <message>
        <source>Sharpen</source>
        <translation>Enfocar</translation>
    </message>
    <message>
        <source>Enhance Edges </source>
        <translation>Realzar bordes </translation>
    </message>
    <message>
        <source>Soften </source>
        <translation>Suavizar </translation>
    </message>
    <message>
        <source>Blur </source>
        <translation>Desenfocar </translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>Aplicar</translation>
    </message>
    <message>
        <source>Brightness</source>
        <translation>Brillo</translation>
    </message>
    <message>
        <source>Gamma Curve</source>
        <translation>Curva gamma</translation>
    </message>
    <message>
        <source>Save Curve </source>
        <translation>Guardar curva </translation>
    </message>
    <message>
        <source>Contrast Curves</source>
        <translation>Curvas de contraste</translation>
    </message>
    <message>
        <source>Edit me!</source>
        <translation>¡Edítame!</translation>
    </message>
    <message>
        <source>Load</source>
        <translation>Cargar</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Guardar</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>Restablecer</translation>
    </message>
    <message>
        <source>Adjust Color    </source>
        <translation>Ajustar color    </translation>
    </message>
    <message>
        <source>Cyan</source>
        <translation>Cian</translation>
    </message>
    <message>
        <source>Red</source>
        <translation>Rojo</translation>
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
        <translation>Amarillo</translation>
    </message>
    <message>
        <source>Blue</source>
        <translation>Azul</translation>
    </message>
</context>
<context>
    <name>page::FrameCommandsUi</name>
    <message>
        <source>Load</source>
        <translation>Cargar</translation>
    </message>
    <message>
        <source>Load from TWAIN</source>
        <translation>Cargar desde TWAIN</translation>
    </message>
    <message>
        <source>Frame Copy</source>
        <translation>Copiar marco</translation>
    </message>
    <message>
        <source>Frame Paste</source>
        <translation>Pegar marco</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Quitar</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Copiar</translation>
    </message>
    <message>
        <source>Paste</source>
        <translation>Pegar</translation>
    </message>
    <message>
        <source>Reload</source>
        <translation>Volver a cargar</translation>
    </message>
    <message>
        <source>Original</source>
        <translation>Original</translation>
    </message>
    <message>
        <source>Modified Export (!)</source>
        <translation>Exportar modificada (!)</translation>
    </message>
    <message>
        <source>Export Images ... </source>
        <translation>Exportar imágenes ... </translation>
    </message>
    <message>
        <source>Rotate 90°</source>
        <translation>Girar 90°</translation>
    </message>
    <message>
        <source>Vertical Flip</source>
        <translation>Voltear verticalmente</translation>
    </message>
    <message>
        <source>Horizontal Flip</source>
        <translation>Voltear horizontalmente</translation>
    </message>
    <message>
        <source>Grayscale</source>
        <translation>Escala de grises</translation>
    </message>
    <message>
        <source>Resample</source>
        <translation>Remuestrear</translation>
    </message>
    <message>
        <source>Apply Curves</source>
        <translation>Aplicar curvas</translation>
    </message>
    <message>
        <source>Edit Image</source>
        <translation>Editar imagen</translation>
    </message>
    <message>
        <source>Save Frame&apos;s Image</source>
        <translation>Guardar la imagen del marco</translation>
    </message>
    <message>
        <source>Extended Image Details </source>
        <translation>Detalles ampliados de la imagen </translation>
    </message>
    <message>
        <source>Original (%1)</source>
        <translation>Original (%1)</translation>
    </message>
    <message>
        <source>Modified (!%1)</source>
        <translation>Modificada (!%1)</translation>
    </message>
</context>
<context>
    <name>page::ImageLoader</name>
    <message>
        <source> Resample @ %1% </source>
        <translation> Remuestreada al %1% </translation>
    </message>
    <message>
        <source> Using &apos;%1&apos; contrast curve</source>
        <translation> con la curva de contraste &apos;%1&apos;</translation>
    </message>
</context>
<context>
    <name>printing::PreviewWindow</name>
    <message>
        <source>Printer Preview</source>
        <translation>Vista previa de impresión</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>&amp;Ver</translation>
    </message>
    <message>
        <source>&amp;Actual Size</source>
        <translation>Tamaño &amp;real</translation>
    </message>
    <message>
        <source>&amp;Fit to Window</source>
        <translation>&amp;Ajustar a la ventana</translation>
    </message>
    <message>
        <source>Rotate 90 </source>
        <translation>Girar 90° </translation>
    </message>
    <message>
        <source>Prefs</source>
        <translation>Preferencias</translation>
    </message>
    <message>
        <source>Auto rotate portrait pages to landscape</source>
        <translation>Girar automáticamente las páginas verticales a horizontal</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>&amp;Salir</translation>
    </message>
</context>
<context>
    <name>settings::ResampleDialog</name>
    <message>
        <source>Resample images  </source>
        <translation>Remuestrear imágenes  </translation>
    </message>
    <message>
        <source>Size</source>
        <translation>Tamaño</translation>
    </message>
    <message>
        <source>%</source>
        <translation>%</translation>
    </message>
    <message>
        <source>of original image size </source>
        <translation>del tamaño original </translation>
    </message>
    <message>
        <source>Using the </source>
        <translation>Con el filtro </translation>
    </message>
    <message>
        <source>filter </source>
        <translation> </translation>
    </message>
    <message>
        <source>OK</source>
        <translation>Aceptar</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
</context>
<context>
    <name>settings::SettingsDialog</name>
    <message>
        <source>Change settings</source>
        <translation>Cambiar ajustes</translation>
    </message>
    <message>
        <source>General </source>
        <translation>General </translation>
    </message>
    <message>
        <source>Folders &amp;&amp; Files </source>
        <translation>Carpetas &amp;&amp; archivos </translation>
    </message>
    <message>
        <source>Saving Images / Pages</source>
        <translation>Guardar imágenes / páginas</translation>
    </message>
    <message>
        <source>On image load</source>
        <translation>Al cargar imágenes</translation>
    </message>
    <message>
        <source>On Print </source>
        <translation>Al imprimir </translation>
    </message>
    <message>
        <source>OK</source>
        <translation>Aceptar</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
    <message>
        <source>Try to get embedded image data &amp;&amp; print in margins </source>
        <translation>Leer los datos incrustados en la imagen &amp;&amp; imprimirlos en los márgenes </translation>
    </message>
    <message>
        <source>File name</source>
        <translation>Nombre de archivo</translation>
    </message>
    <message>
        <source>Date dd/mm/yy</source>
        <translation>Fecha dd/mm/aa</translation>
    </message>
    <message>
        <source>Date mm/dd/yy</source>
        <translation>Fecha mm/dd/aa</translation>
    </message>
    <message>
        <source>Time taken</source>
        <translation>Hora de la toma</translation>
    </message>
    <message>
        <source>Exposure</source>
        <translation>Exposición</translation>
    </message>
    <message>
        <source>Flash</source>
        <translation>Flash</translation>
    </message>
    <message>
        <source>Text string </source>
        <translation>Texto libre </translation>
    </message>
    <message>
        <source>&amp;Image Margins</source>
        <translation>Márgenes de las &amp;imágenes</translation>
    </message>
    <message>
        <source>mm</source>
        <translation>mm</translation>
    </message>
    <message>
        <source>Set Default </source>
        <translation>Predeterminado </translation>
    </message>
    <message>
        <source>&amp;Page Margin </source>
        <translation>Margen de &amp;página </translation>
    </message>
    <message>
        <source>Centre image on paper</source>
        <translation>Centrar la imagen en el papel</translation>
    </message>
    <message>
        <source>Frame Aspect</source>
        <translation>Relación de aspecto del marco</translation>
    </message>
    <message>
        <source>Set Default</source>
        <translation>Predeterminado</translation>
    </message>
    <message>
        <source>Measurement System</source>
        <translation>Sistema de medida</translation>
    </message>
    <message>
        <source>Inches</source>
        <translation>Pulgadas</translation>
    </message>
    <message>
        <source>&amp;Layout area size </source>
        <translation>Tamaño del área de &amp;diseño </translation>
    </message>
    <message>
        <source>Default Folders </source>
        <translation>Carpetas predeterminadas </translation>
    </message>
    <message>
        <source>Image Folder</source>
        <translation>Carpeta de imágenes</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Borrar</translation>
    </message>
    <message>
        <source>Curve Folders </source>
        <translation>Carpetas de curvas </translation>
    </message>
    <message>
        <source>Export images to </source>
        <translation>Exportar imágenes a </translation>
    </message>
    <message>
        <source>Associated application </source>
        <translation>Aplicación asociada </translation>
    </message>
    <message>
        <source>Selected application </source>
        <translation>Aplicación elegida </translation>
    </message>
    <message>
        <source>Jpeg Quality Setting - for all Jpeg saved files  </source>
        <translation>Calidad JPEG: para todos los archivos JPEG guardados  </translation>
    </message>
    <message>
        <source>100 = Best</source>
        <translation>100 = la mejor</translation>
    </message>
    <message>
        <source>When saving pages - store images as : </source>
        <translation>Al guardar páginas, almacenar las imágenes como: </translation>
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
        <translation>Al guardar imágenes sueltas </translation>
    </message>
    <message>
        <source>Write props file (.VDT)</source>
        <translation>Escribir el archivo de propiedades (.VDT)</translation>
    </message>
    <message>
        <source>Show warning dialog box on image load (if any onload options enabled)</source>
        <translation>Mostrar un aviso al cargar imágenes (si hay opciones de carga activas)</translation>
    </message>
    <message>
        <source> Apply contrast curve      </source>
        <translation> Aplicar curva de contraste      </translation>
    </message>
    <message>
        <source>Resample images  </source>
        <translation>Remuestrear imágenes  </translation>
    </message>
    <message>
        <source>to </source>
        <translation>al </translation>
    </message>
    <message>
        <source> % of original </source>
        <translation> % del original </translation>
    </message>
    <message>
        <source>Using the </source>
        <translation>Con el filtro </translation>
    </message>
    <message>
        <source>filter </source>
        <translation> </translation>
    </message>
    <message>
        <source>Position </source>
        <translation>Posición </translation>
    </message>
    <message>
        <source>Auto rotate</source>
        <translation>Girar automáticamente</translation>
    </message>
    <message>
        <source>Automatically rotates image
files to match frame orientation.</source>
        <translation>Gira automáticamente las imágenes
según la orientación del marco.</translation>
    </message>
    <message>
        <source>Auto centre</source>
        <translation>Centrar automáticamente</translation>
    </message>
    <message>
        <source>When folders are Dragged &amp;&amp; Dropped</source>
        <translation>Cuando se arrastran y sueltan carpetas</translation>
    </message>
    <message>
        <source>Check all sub folders </source>
        <translation>Buscar en todas las subcarpetas </translation>
    </message>
    <message>
        <source>Filter</source>
        <translation>Filtro</translation>
    </message>
    <message>
        <source>(image) files </source>
        <translation>archivos (de imagen) </translation>
    </message>
    <message>
        <source>Print (in margins) </source>
        <translation>Imprimir (en los márgenes) </translation>
    </message>
    <message>
        <source>Image details </source>
        <translation>Detalles de la imagen </translation>
    </message>
    <message>
        <source>Cut marks</source>
        <translation>Marcas de corte</translation>
    </message>
    <message>
        <source>Fonts</source>
        <translation>Fuentes</translation>
    </message>
    <message>
        <source>Colour</source>
        <translation>Color</translation>
    </message>
    <message>
        <source>Cut mark Width </source>
        <translation>Ancho de las marcas de corte </translation>
    </message>
    <message>
        <source>Resample</source>
        <translation>Remuestrear</translation>
    </message>
    <message>
        <source>when printing to printer</source>
        <translation>al imprimir en la impresora</translation>
    </message>
    <message>
        <source>Windows print Queue </source>
        <translation>Cola de impresión </translation>
    </message>
    <message>
        <source>Wait until Print Queue is empty before printing</source>
        <translation>Esperar a que la cola de impresión esté vacía antes de imprimir</translation>
    </message>
    <message>
        <source>Print to image - file characteristics  </source>
        <translation>Imprimir en archivo de imagen: características  </translation>
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
        <translation>Usar la de la impresora </translation>
    </message>
    <message>
        <source>Resolution</source>
        <translation>Resolución</translation>
    </message>
    <message>
        <source>Set to </source>
        <translation>Fijar en </translation>
    </message>
    <message>
        <source>dpi</source>
        <translation>ppp</translation>
    </message>
    <message>
        <source>Resample </source>
        <translation>Remuestrear </translation>
    </message>
    <message>
        <source>Read camera data from any JPEG</source>
        <translation>Leer los datos de la cámara de cualquier JPEG</translation>
    </message>
    <message>
        <source>Convert photos with a colour profile to sRGB</source>
        <translation>Convertir a sRGB las fotos con perfil de color</translation>
    </message>
    <message>
        <source>Long batches</source>
        <translation>Lotes largos</translation>
    </message>
    <message>
        <source>Pass over files that can&apos;t be read, without a message</source>
        <translation>Omitir sin aviso los archivos que no se pueden leer</translation>
    </message>
    <message>
        <source>Warn below this many pixels per inch (0 = never)</source>
        <translation>Avisar por debajo de estos píxeles por pulgada (0 = nunca)</translation>
    </message>
    <message>
        <source>Ask before printing frames below it</source>
        <translation>Preguntar antes de imprimir marcos por debajo</translation>
    </message>
    <message>
        <source>Turn photos upright as their camera recorded</source>
        <translation>Enderezar las fotos según lo registró la cámara</translation>
    </message>
</context>
<context>
    <name>settings::WarningDialog</name>
    <message>
        <source>Warning - Image Load Settings are active !</source>
        <translation>Aviso: ¡hay ajustes de carga de imágenes activos!</translation>
    </message>
    <message>
        <source>All loaded image files will be </source>
        <translation>Todas las imágenes cargadas se </translation>
    </message>
    <message>
        <source>Don&apos;t show this message again </source>
        <translation>No volver a mostrar este mensaje </translation>
    </message>
    <message>
        <source>OK</source>
        <translation>Aceptar</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
    <message>
        <source>Resampled @ %1%</source>
        <translation>remuestrearán al %1%</translation>
    </message>
    <message>
        <source>Re-Contrasted with %1</source>
        <translation>recontrastarán con %1</translation>
    </message>
    <message>
        <source>Autorated</source>
        <translation>girarán automáticamente</translation>
    </message>
    <message>
        <source>AutoCentred</source>
        <translation>centrarán automáticamente</translation>
    </message>
</context>
</TS>
