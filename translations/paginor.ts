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
        <source>Paginor layout files  (*.zip)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Saving Page</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Saving Page - Embedding Image </source>
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
        <source>Sorry.... </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> frames not yet supported by print option</source>
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
        <source>Resampling image </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> for printer</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> for image file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> for preview</source>
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
        <source>Can&apos;t ask the printer for its queue: </source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>app::TAbout</name>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>app::TMain_Form</name>
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
</context>
</TS>
