<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" sourcelanguage="en">
<context>
    <name>Paginor</name>
    <message>
        <source>Many photographs, one printed page.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Lays 1 to 16 photographs on a page and prints them with cut marks and captions.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The clipboard is currently holding image data.
Do you want to save this data for other applications ?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Do you want the current settings saved as a default ?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Printer Setup</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Can&apos;t open layout file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Not a Paginor layout file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save Page</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Load Page</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Saving Page</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Selection Error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Drive Error - Unable to save Props file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save image file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Saving Image</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Saving Bitmap Image</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Nothing to print!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Try 4!!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Printing ...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Printing</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Waiting for empty Printer Queue..... </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Saving Jpeg Image</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Saving Bmp Image...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The page is too small for the frames and the gaps between them</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The page bitmap would be too large: choose a lower resolution</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the program the desktop associates with it</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The picture on the clipboard could not be read</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>All images</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>All files</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Load image files - </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add files to list </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sorry : Can&apos;t load images because :
No frames are selected - Select some frames and try again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Not a valid image file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Loading Images</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Searching folders ....</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Finished Searching folders ....</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The file list isn&apos;t empty. 
Do you want to clear the current file list ? 
YES clears the list - No appends to the current list</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The image list isn&apos;t empty. 
Do you want to clear the current image list ? 
YES clears the list - No appends to the current list</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Image being processed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Not enough resources available to apply curve </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Applying image correction curve </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> Not enough system resources available - try less frames</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> Not enough system resources available</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ODEAR</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Aspect ratio is &lt; 0, try rotating the image</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The stored number of frames is not 1, 2, 4, 8 or 16; using 4</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The stored frame aspect ratio is not usable; using 1.333333</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Updating...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Jpeg files (*.jpg)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Bitmap files (*.bmp)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Can&apos;t save settings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Can&apos;t run Paginor because there is no default printer available.
Hint - Install or set up a default printer.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Please install a printer</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Selected application </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Application files (*)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Color selection dialog failed to load.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Paginor curves (*.tcv)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Not enough resources available to adjust image</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No images selected</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>You can only adjust 1 image at a time</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot open the image file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot read the image file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This system has no reader for the image file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The image is too large to load</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Corrupt or truncated JPEG data</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot write the image file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>JPEG quality must be between 1 and 100</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>There is no picture to save</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The picture is too large for a BMP file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A palette file holds no picture</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The zoom factor must be above 0</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Can Flip/Reverse only 24-bit bitmap</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Can Rotate90 only 24-bit bitmap</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rotate90:  Angle not positive multiple of 90 degrees</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Can&apos;t resample: the picture and the new size must be at least 1 pixel wide and 2 pixels high</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Can&apos;t resample: the new size is too large</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unknown resampling filter</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Resampling support out of range</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unknown filter style</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Gamma must be a number above 0</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Can&apos;t fit the picture: the aspect ratio gives no usable width</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The source and destination bitmaps differ in size or format</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Only 24-bit and 32-bit bitmaps can be processed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Number of columns should be positive</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Number of rows should be positive</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Handle size should be in [0..16] range</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unexpected string end</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Number expected</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Number is invalid</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Hint - <byte value="xd"/>
You can also use the mouse to<byte value="xd"/>
change the image position.  </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save Curve as </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open Curve</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Paginor Curves (*.tcv)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Parameter</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Data</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tag #</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>File name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Extended Image info (Embedded in jpeg file) </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>TWAIN Error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>TWAIN_SelectImageSource: window handle is invalid</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>TWAIN_SelectImageSource: Unable to create proxy window</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unable to create proxy window</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>TWAIN_ReportLastError: an error occurred</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Assertion failed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unable to open default Data Source.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Failed to negotiate Pixel Type.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Failed to enable Data Source.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Not enough frames selected to hold all the images sent via TWAIN
The extra images will be ignored</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Print anyway?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>its queue will not empty, so nothing was printed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the page waits in its queue until the printer is started again</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Some stored settings were refused and their defaults are used:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The help file %1 is missing.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 Selected</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Skipped: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Printer : %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Not enough memory to load %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Corrupt or truncated JPEG data &apos;%1&apos;: the file is empty</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Frame #%1 is cloned to other frames</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>You can only copy one image at a time to the clipboard
Only image #%1 will be copied</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Can&apos;t export pasted images.....
Hint - Try pasting the image into 
%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Can&apos;t load : 
%1
with %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Modified file : 
%1
Does not exist </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rotating Image%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rotating image in frame %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Adjusting image in frame %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Resampling image %1 to %2% of original image size</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Can&apos;t load %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Error - Can&apos;t open %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 more curve files were left out of &quot;Apply Curves&quot;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sorry - This applcation failed whilst initalising frame number %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 images selected </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Can&apos;t open file %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Can&apos;t write file %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Frame %1: %2 pixels per inch</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Frame %1: %2 pixels per inch on %3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Frame %1: %2 pixels per inch (below %3)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Frame %1: %2 pixels per inch on %3 (below %4)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Frame %1 prints below %2 pixels per inch</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Frames %1 and %2 print below %3 pixels per inch</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Frame %1 would be cut off by the page margin</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Frames %1 and %2 would be cut off by the page margin</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sorry.... %1 frames not yet supported by print option</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Resampling image %1 for printer</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Resampling image %1 for image file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Resampling image %1 for preview</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Waiting for empty Printer Queue..... (%1 job on %2)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Waiting for empty Printer Queue..... (%1 jobs on %2)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The printer %1 is stopped: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The printer %1 is stopped (%2): %3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Can&apos;t ask the printer for its queue: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Can&apos;t start printing on %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The printer %1 refused the page: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The page was stopped before frame %1 was ready</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Can&apos;t write %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Can&apos;t write %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Saving Page - Embedding Image %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Can&apos;t write the layout file %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Frame %1 holds no picture of its own</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Invalid data type for &apos;%1&apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Invalid value %1 for &apos;%2&apos;: %3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>must be between %1 and %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Invalid value for &apos;%1&apos;: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>There is no default printer: printing goes to %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unable to load Source Manager (%1)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unable to open Source Manager (%1)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The source manager cannot open the device %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The source refused the option %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete the other frames before this one. </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Do you want to overwrite this file ?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>must be 1, 2, 4, 8 or 16</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>must be a finite number</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>must be above 0</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Box</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Triangle</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Hermitite</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Bell</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Spline</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Lanczos3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Mitchell</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Don&apos;t Resample </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Use Box Filter</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Use Triangle Filter</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Use Hermitite Filter</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Use Bell Filter</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Use Spline Filter</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Use Lanczos3 Filter</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Use Mitchell Filter</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>mm</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Inch</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>None</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select Source</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sources:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Mode:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Resolution (dpi):</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Source:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Scan</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Close</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Scanning failed: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Scan cancelled</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The layout file names frame %1 of a page of %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The clone source of the layout file&apos;s line &quot;%1&quot; is not a number</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The frame number of the layout file&apos;s line &quot;%1&quot; is not a number</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The frame count of the layout file is not a number: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The layout file names a member that is not a plain file name: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The layout file holds more than one member named %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The layout file&apos;s member %1 cannot be read</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The layout file&apos;s member %1 cannot be read: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The layout file&apos;s member %1 would inflate to %2 bytes, more than any picture needs</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Can&apos;t extract %1 into the temporary folder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Can&apos;t make a temporary folder in %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>There is no printer named &apos;%1&apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--set: there is no setting named &apos;%1&apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>N/A</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Image Description</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Camera Manufacturer</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Camera Model</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Xres</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Yres</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Resolution Units</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Camera Software version</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Date/Time (modified)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Thumbnail Type</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Copyright</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>1 / Exposure</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Aperture (f number)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Exif Version</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Date/Time (Orig)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Date/Time (Digitized)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Jpeg Compression (bits/pixel)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Shutter Speed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Aperture (Calculated)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Aperture (Max)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Subject distance (m) </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Metering Mode</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Light Source</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Flash Used</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Focal Length (mm)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 &apos;%2&apos;: %3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 &apos;%2&apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The scanned image is empty</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The scanned image has no bitmap header</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The scanned image is compressed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The scanned image has no usable size</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The scanned image has an unknown bit count</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The scanned image is shorter than its header says</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>There is no scanned image</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Frame %1: No file loaded</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Frame %1: File %2
%3 AR= %4</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Printer : %1 | Image area : %2 mm x %3 mm  | Page Margin : %4 mm%5</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Printer : %1 | Image area : %2&quot; x %3&quot; | Page Margin : %4&quot;%5</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Loading Images%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The layout file ends before its %1 line</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A frame line of the layout file has no &quot;=&quot;: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>frame count</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>aspect ratio</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>margin</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The layout file&apos;s member %1 is damaged: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The layout file&apos;s member %1 inflates past the size the archive gives for it</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The layout file&apos;s member %1 could not be written to the temporary folder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The layout file&apos;s member %1 is shorter than the archive says</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Can&apos;t create the print spool file: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&apos;%1&apos; is stored more than once (as &apos;%2&apos;); the first is read</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Drag &amp;&amp; Drop
File extension &apos;%1&apos; is not a valid image format</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Not enough memory for a %1 x %2 image</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Can&apos;t open the log file %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The file %1 already exists on the disk.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Animator Pro pictures and flic cels are not read</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>not an Autodesk Animator picture</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>only 8-bit uncompressed Animator pictures exist</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the file is truncated</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>too short for a bitmap</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>not a device-independent bitmap</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>not an ordinary file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the file is larger than this machine can hold</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the image has no pixels</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 x %2 pixels</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 x %2 pixels, more than this machine&apos;s memory</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>cannot be opened</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>too short for an RLA header</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>RLA pictures need GraphicsMagick&apos;s gm program</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>gm did not finish</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the file is empty</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Corrupt JPEG data: %1 bytes cannot hold a %2 x %3 picture</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>no such file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the file is truncated (no end-of-page codes)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>no picture in the file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&apos;(&apos; expected but found &apos;%1&apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&apos;,&apos; expected but &apos;%1&apos; found</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&apos;)&apos; expected but &apos;%1&apos; found</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Not enough memory available to finish this command</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This command stopped on an unexpected error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Help</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Back</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Forward</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Contents</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Paginor help</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A new number of frames empties the page: the pictures in its frames are dropped.
Change the number of frames?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The aspect ratio of the layout file is not a number above 0 and up to %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The margin of the layout file is not a number of millimetres from 0 to %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Paginor layout files  (*.zip *.ZIP)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Print to image file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Printed Image file   (*.jpg *.jpeg)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Printed Image file  (*.bmp)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>PDF document (*.pdf)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No scanner was found.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Look again</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Looking for scanners…</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>app::AboutDialog</name>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>app::MainWindow</name>
    <message>
        <source>Paginor</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Files</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Load Selected</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Load from TWAIN</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add to file list</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Clear File list</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Remove Selected</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Load Page - Zip</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save Page - Zip</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Select</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Select All</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;DeSelect All</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Print</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Print Preview </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Print to printer</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Print to image file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>S&amp;etup</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Settings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Printer Setup</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;About</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Help</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Home Page</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Email</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>load image(s) </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>load image(s) from list</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>remove selected image(s) from frame(s)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>rotate selected image(s)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>flip selected image(s) - vertically</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>flip selected image(s) - horizontally</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>set aspect ratio to match selected image</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>set image size to match
frame size &amp; centre
on selected frames.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Frames </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>number of frames on page</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>print cut marks</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>print image properties in margin</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>stop printing </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>print </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>print - load - print (from image list)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>help </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Printer : </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Toolbar</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>imaging::EditImageWindow</name>
    <message>
        <source>Edit Image </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Image details (printed in margins)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Paginor </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Image Tools </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Crop &amp;&amp; Zoom </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Zoom</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Centre</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Position</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>X</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Y</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Resample Filter </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sharpen &amp;&amp; Blur</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sharpen</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enhance Edges </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Soften </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Blur </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Apply</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Brightness</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Gamma Curve</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save Curve </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Contrast Curves</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Edit me!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Load</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reset</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Adjust Color    </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cyan</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Red</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Magenta</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Green</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Yellow</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Blue</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>page::FrameCommandsUi</name>
    <message>
        <source>Load</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Load from TWAIN</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Frame Copy</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Frame Paste</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Remove</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Copy</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Paste</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reload</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Original</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Modified Export (!)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Export Images ... </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rotate 90°</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Vertical Flip</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Horizontal Flip</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Grayscale</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Resample</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Apply Curves</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Edit Image</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save Frame&apos;s Image</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Extended Image Details </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Original (%1)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Modified (!%1)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>page::ImageLoader</name>
    <message>
        <source> Resample @ %1% </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> Using &apos;%1&apos; contrast curve</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>printing::PreviewWindow</name>
    <message>
        <source>Printer Preview</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Actual Size</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Fit to Window</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rotate 90 </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Prefs</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Auto rotate portrait pages to landscape</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>settings::ResampleDialog</name>
    <message>
        <source>Resample images  </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Size</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>of original image size </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Using the </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>filter </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>settings::SettingsDialog</name>
    <message>
        <source>Change settings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>General </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Folders &amp;&amp; Files </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Saving Images / Pages</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>On image load</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>On Print </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Try to get embedded image data &amp;&amp; print in margins </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>File name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Date dd/mm/yy</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Date mm/dd/yy</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Time taken</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Exposure</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Flash</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Text string </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Image Margins</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>mm</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Set Default </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Page Margin </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Centre image on paper</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Frame Aspect</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Set Default</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Measurement System</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Inches</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Layout area size </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Default Folders </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Image Folder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Clear</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Curve Folders </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Export images to </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Associated application </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Selected application </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Jpeg Quality Setting - for all Jpeg saved files  </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>100 = Best</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>When saving pages - store images as : </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Bmp</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Jpg</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>When saving individual images </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Write props file (.VDT)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show warning dialog box on image load (if any onload options enabled)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> Apply contrast curve      </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Resample images  </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>to </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> % of original </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Using the </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>filter </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Position </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Auto rotate</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Automatically rotates image
files to match frame orientation.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Auto centre</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>When folders are Dragged &amp;&amp; Dropped</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Check all sub folders </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Filter</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>(image) files </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Print (in margins) </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Image details </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cut marks</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fonts</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Colour</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cut mark Width </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Resample</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>when printing to printer</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Windows print Queue </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Wait until Print Queue is empty before printing</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Print to image - file characteristics  </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Jpeg</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Type </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Use the printers </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Resolution</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Set to </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>dpi</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Resample </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Read camera data from any JPEG</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Convert photos with a colour profile to sRGB</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Long batches</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pass over files that can&apos;t be read, without a message</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Warn below this many pixels per inch (0 = never)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ask before printing frames below it</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Turn photos upright as their camera recorded</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>settings::WarningDialog</name>
    <message>
        <source>Warning - Image Load Settings are active !</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>All loaded image files will be </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Don&apos;t show this message again </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Resampled @ %1%</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Re-Contrasted with %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Autorated</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>AutoCentred</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
