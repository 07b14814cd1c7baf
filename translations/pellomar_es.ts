<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es">
<context>
    <name>pellomar::Application</name>
    <message>
        <source>The data folder %1 cannot be created.</source>
        <translation>No se puede crear la carpeta de datos %1.</translation>
    </message>
    <message>
        <source>
Pellomar cannot start without it.</source>
        <translation>
Pellomar no puede iniciarse sin él.</translation>
    </message>
</context>
<context>
    <name>pellomar::ColumnHeading</name>
    <message>
        <source>sorted ascending</source>
        <translation>orden ascendente</translation>
    </message>
    <message>
        <source>sorted descending</source>
        <translation>orden descendente</translation>
    </message>
</context>
<context>
    <name>pellomar::Connection</name>
    <message>
        <source>No answer from the directory server %1 for %2 seconds</source>
        <translation>Sin respuesta del servidor de directorio %1 durante %2 segundos</translation>
    </message>
    <message>
        <source>The directory server %1 did not finish its answer within %2 seconds</source>
        <translation>El servidor de directorio %1 no terminó su respuesta en %2 segundos</translation>
    </message>
    <message>
        <source>The reply of %1 is larger than %2 MiB</source>
        <translation>La respuesta de %1 supera los %2 MiB</translation>
    </message>
    <message>
        <source>The connection to %1 broke after %2 bytes of the reply: the server reset it</source>
        <translation>La conexión con %1 se cortó tras %2 bytes de la respuesta: el servidor la restableció</translation>
    </message>
    <message>
        <source>The directory server %1 refused the connection</source>
        <translation>El servidor de directorio %1 rechazó la conexión</translation>
    </message>
    <message>
        <source>The directory server %1 was not found</source>
        <translation>No se encontró el servidor de directorio %1</translation>
    </message>
    <message>
        <source>The network to %1 is unreachable</source>
        <translation>La red hacia %1 no está disponible</translation>
    </message>
    <message>
        <source>The connection to %1 timed out</source>
        <translation>Se agotó el tiempo de conexión con %1</translation>
    </message>
    <message>
        <source>The connection to %1 failed: </source>
        <translation>Falló la conexión con %1: </translation>
    </message>
</context>
<context>
    <name>pellomar::DesignedControls</name>
    <message>
        <source>Pellomar hotspot finder</source>
        <translation>Pellomar: buscar hotspots</translation>
    </message>
    <message>
        <source>Locate WiFi hotspots around the world, with our easy to use application. You may also submit your own hotspots to our database.</source>
        <translation>Encuentre hotspots Wi-Fi en todo el mundo, de forma sencilla. También puede añadir sus propios hotspots a nuestra base.</translation>
    </message>
    <message>
        <source>Free software: GNU GPL, version 3 or later</source>
        <translation>Software libre: GNU GPL v3 o posterior</translation>
    </message>
    <message>
        <source>website : </source>
        <translation>sitio web: </translation>
    </message>
    <message>
        <source>&amp;Ok</source>
        <translation>&amp;Aceptar</translation>
    </message>
    <message>
        <source>Search wireless hotspots :</source>
        <translation>Buscar hotspots Wi-Fi:</translation>
    </message>
    <message>
        <source>Country</source>
        <translation>País</translation>
    </message>
    <message>
        <source>City</source>
        <translation>Ciud.</translation>
    </message>
    <message>
        <source>ZIP Code</source>
        <translation>C. postal</translation>
    </message>
    <message>
        <source>Location Type</source>
        <translation>Tipo de lugar</translation>
    </message>
    <message>
        <source>Hotspot Type</source>
        <translation>Acceso</translation>
    </message>
    <message>
        <source>Search hotspots!</source>
        <translation>¡Buscar hotspots!</translation>
    </message>
    <message>
        <source>Wireless hotspots matching your query:</source>
        <translation>Hotspots Wi-Fi para su búsqueda:</translation>
    </message>
    <message>
        <source>Welcome to Pellomar.</source>
        <translation>Bienvenido a Pellomar.</translation>
    </message>
</context>
<context>
    <name>pellomar::DownloadCaption</name>
    <message>
        <source>Downloaded %1 %2</source>
        <translation>Descargado el %1 a las %2</translation>
    </message>
    <message>
        <source>d MMM yyyy</source>
        <comment>the date&apos;s format in QLocale&apos;s letters</comment>
        <translation>d MMM yyyy</translation>
    </message>
</context>
<context>
    <name>pellomar::FileIo</name>
    <message>
        <source>Cannot open %1: %2</source>
        <translation>No se puede abrir %1: %2</translation>
    </message>
    <message>
        <source>%1 is a folder, not a file</source>
        <translation>%1 es una carpeta, no un archivo</translation>
    </message>
    <message>
        <source>%1 is not a regular file</source>
        <translation>%1 no es un archivo normal</translation>
    </message>
    <message>
        <source>%1 does not exist</source>
        <translation>%1 no existe</translation>
    </message>
    <message>
        <source>%1 is too large (%2 bytes)</source>
        <translation>%1 es demasiado grande (%2 bytes)</translation>
    </message>
    <message>
        <source>Cannot read %1: %2</source>
        <translation>No se puede leer %1: %2</translation>
    </message>
    <message>
        <source>only part of the data could be written (is the disk full?)</source>
        <translation>solo se pudo escribir una parte de los datos (¿está lleno el disco?)</translation>
    </message>
    <message>
        <source>Cannot write %1: %2</source>
        <translation>No se puede escribir %1: %2</translation>
    </message>
    <message>
        <source>the file was written already</source>
        <translation>el archivo ya se escribió</translation>
    </message>
</context>
<context>
    <name>pellomar::MapCanvas</name>
    <message>
        <source>… and %1 more</source>
        <translation>… y %1 más</translation>
    </message>
    <message>
        <source>%1 hotspots: %2 and %3 more</source>
        <translation>%1 hotspots: %2 y %3 más</translation>
    </message>
</context>
<context>
    <name>pellomar::MapWindow</name>
    <message>
        <source>Hotspot map</source>
        <translation>Mapa de hotspots</translation>
    </message>
    <message>
        <source>Fit</source>
        <translation>Ver todo</translation>
    </message>
    <message>
        <source>Show every marker</source>
        <translation>Mostrar todos los marcadores</translation>
    </message>
    <message>
        <source>The map tiles are unavailable: %1.</source>
        <translation>Los mosaicos del mapa no están disponibles: %1.</translation>
    </message>
    <message>
        <source>1 hotspot has no position</source>
        <translation>1 hotspot no tiene posición</translation>
    </message>
    <message numerus="yes">
        <source>%n hotspots have no position</source>
        <translation>
            <numerusform>%n hotspot no tiene posición</numerusform>
            <numerusform>%n hotspots no tienen posición</numerusform>
        </translation>
    </message>
    <message>
        <source>There are no hotspots to show.</source>
        <translation>No hay hotspots que mostrar.</translation>
    </message>
    <message>
        <source>None of these hotspots has a position to show on a map.</source>
        <translation>Ninguno de estos hotspots tiene una posición que mostrar en un mapa.</translation>
    </message>
    <message>
        <source>The map shows no tiles: %1.</source>
        <translation>El mapa no muestra mosaicos: %1.</translation>
    </message>
</context>
<context>
    <name>pellomar::RecentSearches</name>
    <message>
        <source>%1 cannot be made</source>
        <translation>No se puede crear %1</translation>
    </message>
    <message>
        <source>it is larger than %1 MiB</source>
        <translation>supera los %1 MiB</translation>
    </message>
    <message>
        <source>%1 cannot be removed</source>
        <translation>No se puede eliminar %1</translation>
    </message>
</context>
<context>
    <name>pellomar::RecentSearchesDialog</name>
    <message>
        <source>Recent searches</source>
        <translation>Búsquedas recientes</translation>
    </message>
    <message>
        <source>Where</source>
        <translation>Dónde</translation>
    </message>
    <message>
        <source>What</source>
        <translation>Qué</translation>
    </message>
    <message>
        <source>When</source>
        <translation>Cuándo</translation>
    </message>
    <message>
        <source>Rows</source>
        <translation>Filas</translation>
    </message>
    <message>
        <source>&amp;Open</source>
        <translation>&amp;Abrir</translation>
    </message>
    <message>
        <source>&amp;Forget all…</source>
        <translation>&amp;Olvidar todas…</translation>
    </message>
    <message>
        <source>These kept searches are damaged and cannot be shown: %1</source>
        <translation>Estas búsquedas guardadas están dañadas y no se pueden mostrar: %1</translation>
    </message>
    <message>
        <source>Forget every kept search? They cannot be shown again without a new search.</source>
        <translation>¿Olvidar todas las búsquedas guardadas? Solo se podrán volver a mostrar con una nueva búsqueda.</translation>
    </message>
</context>
<context>
    <name>pellomar::ReferenceFiles</name>
    <message>
        <source>The reference file %1 cannot be read: %2.</source>
        <translation>No se puede leer el archivo de referencia %1: %2.</translation>
    </message>
    <message>
        <source>%1: only the first %2 entries are used; %3 further lines were ignored.</source>
        <translation>%1: solo se usan las primeras %2 entradas; se omitieron %3 líneas más.</translation>
    </message>
</context>
<context>
    <name>pellomar::ResultExport</name>
    <message>
        <source>CSV Files (*.csv)</source>
        <translation>Archivos CSV (*.csv)</translation>
    </message>
    <message>
        <source>GPX Files (*.gpx)</source>
        <translation>Archivos GPX (*.gpx)</translation>
    </message>
    <message>
        <source>KML Files (*.kml)</source>
        <translation>Archivos KML (*.kml)</translation>
    </message>
    <message>
        <source>1 hotspot</source>
        <translation>1 hotspot</translation>
    </message>
    <message numerus="yes">
        <source>%n hotspots</source>
        <translation>
            <numerusform>%n hotspot</numerusform>
            <numerusform>%n hotspots</numerusform>
        </translation>
    </message>
    <message>
        <source>There are no results to export.</source>
        <translation>No hay resultados que exportar.</translation>
    </message>
    <message>
        <source>%1 exported to<byte value="xd"/>
<byte value="xd"/>
%2</source>
        <translation>%1 exportado(s) a<byte value="xd"/>
<byte value="xd"/>
%2</translation>
    </message>
    <message>
        <source><byte value="xd"/>
<byte value="xd"/>
%1 without valid coordinates left out.</source>
        <translation><byte value="xd"/>
<byte value="xd"/>
%1 sin coordenadas válidas omitido(s).</translation>
    </message>
    <message>
        <source>Exported</source>
        <translation>Exportado</translation>
    </message>
    <message>
        <source>The results could not be exported.<byte value="xd"/>
<byte value="xd"/>
</source>
        <translation>No se pudieron exportar los resultados.<byte value="xd"/>
<byte value="xd"/>
</translation>
    </message>
</context>
<context>
    <name>pellomar::ResultFile</name>
    <message>
        <source>The search results could not be stored: </source>
        <translation>No se pudieron guardar los resultados de la búsqueda: </translation>
    </message>
    <message>
        <source>Cannot read %1: %2</source>
        <translation>No se puede leer %1: %2</translation>
    </message>
    <message>
        <source>%1 is damaged: it holds a line of more than %2 KiB</source>
        <translation>%1 está dañado: contiene una línea de más de %2 KiB</translation>
    </message>
</context>
<context>
    <name>pellomar::ResultLayout</name>
    <message>
        <source>Number</source>
        <translation>Número</translation>
    </message>
    <message>
        <source>Location Name</source>
        <translation>Lugar</translation>
    </message>
    <message>
        <source>Country</source>
        <translation>País</translation>
    </message>
    <message>
        <source>City</source>
        <translation>Ciud.</translation>
    </message>
    <message>
        <source>Type</source>
        <translation>Tipo</translation>
    </message>
    <message>
        <source>Access</source>
        <translation>Acceso</translation>
    </message>
    <message>
        <source>Operator</source>
        <translation>Operador</translation>
    </message>
</context>
<context>
    <name>pellomar::ResultList</name>
    <message>
        <source>%1 of %2 results shown</source>
        <translation>%1 de %2 resultados mostrados</translation>
    </message>
    <message>
        <source>, sorted by %1 %2</source>
        <translation>, ordenados por %1 %2</translation>
    </message>
    <message>
        <source>ascending</source>
        <translation>ascendente</translation>
    </message>
    <message>
        <source>descending</source>
        <translation>descendente</translation>
    </message>
</context>
<context>
    <name>pellomar::ResultListView</name>
    <message>
        <source>Result rows</source>
        <translation>Filas de resultados</translation>
    </message>
    <message>
        <source>Results</source>
        <translation>Resultados</translation>
    </message>
    <message>
        <source>Scroll results</source>
        <translation>Desplazar resultados</translation>
    </message>
</context>
<context>
    <name>pellomar::ResultLoader</name>
    <message>
        <source>Max Results</source>
        <translation>Máximo de resultados</translation>
    </message>
    <message>
        <source>More then 300 hotspots were found that match your query.<byte value="xd"/>
<byte value="xd"/>
Please narrow your search</source>
        <translation>Se encontraron más de 300 hotspots que coinciden con su búsqueda.<byte value="xd"/>
<byte value="xd"/>
Acote su búsqueda, por favor</translation>
    </message>
</context>
<context>
    <name>pellomar::ResultPanel</name>
    <message>
        <source>Filter</source>
        <translation>Filtrar</translation>
    </message>
</context>
<context>
    <name>pellomar::SaveDialog</name>
    <message>
        <source>File exists... would you like to overwrite?</source>
        <translation>El archivo ya existe… ¿Desea sobrescribirlo?</translation>
    </message>
</context>
<context>
    <name>pellomar::SearchExchange</name>
    <message>
        <source>Requesting Data...</source>
        <translation>Solicitando datos...</translation>
    </message>
    <message>
        <source>Connecting...</source>
        <translation>Conectando...</translation>
    </message>
    <message>
        <source>Data Downloaded - Loading Results...</source>
        <translation>Datos descargados: cargando resultados...</translation>
    </message>
</context>
<context>
    <name>pellomar::SearchReply</name>
    <message>
        <source>The directory server closed the connection without a reply</source>
        <translation>El servidor de directorio cerró la conexión sin responder</translation>
    </message>
    <message>
        <source>The directory server&apos;s reply is incomplete: its headers never end</source>
        <translation>La respuesta del servidor de directorio está incompleta: sus cabeceras no terminan nunca</translation>
    </message>
    <message>
        <source>The directory server&apos;s reply is not an HTTP reply</source>
        <translation>La respuesta del servidor de directorio no es una respuesta HTTP</translation>
    </message>
    <message>
        <source>The directory server&apos;s reply is sent in a transfer coding this program cannot read</source>
        <translation>La respuesta del servidor de directorio usa una codificación de transferencia que este programa no puede leer</translation>
    </message>
    <message>
        <source>The reply was not a hotspot directory&apos;s: the network may need a sign-in in the browser first</source>
        <translation>La respuesta no era de un directorio de hotspots: puede que la red pida antes iniciar sesión en el navegador</translation>
    </message>
    <message>
        <source>The directory server&apos;s reply is no list of hotspots: it holds a line of more than %1 KiB</source>
        <translation>La respuesta del servidor de directorio no es una lista de hotspots: contiene una línea de más de %1 KiB</translation>
    </message>
</context>
<context>
    <name>pellomar::ServerAddress</name>
    <message>
        <source>&apos;%1&apos; is not a HOST or HOST:PORT address (a port is 1 to 65535)</source>
        <translation>«%1» no es una dirección HOST o HOST:PUERTO (un puerto va de 1 a 65535)</translation>
    </message>
</context>
<context>
    <name>pellomar::ServerChoice</name>
    <message>
        <source>The settings file %1 cannot be written.</source>
        <translation>No se puede escribir el archivo de configuración %1.</translation>
    </message>
</context>
<context>
    <name>pellomar::ServerDialog</name>
    <message>
        <source>Directory server</source>
        <translation>Servidor de directorio</translation>
    </message>
    <message>
        <source>The hotspot &amp;directory to search, HOST or HOST:PORT:</source>
        <translation>El &amp;directorio de hotspots donde buscar, HOST o HOST:PUERTO:</translation>
    </message>
    <message>
        <source>This run searches %1, named on the command line (--server). The server chosen here is searched from the next start on.</source>
        <translation>Esta sesión busca en %1, indicado en la línea de órdenes (--server). El servidor elegido aquí se usará a partir del próximo inicio.</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Error</translation>
    </message>
</context>
<context>
    <name>pellomar::Settings</name>
    <message>
        <source>the settings file %1 is not a regular file</source>
        <translation>el archivo de configuración %1 no es un archivo normal</translation>
    </message>
    <message>
        <source>the settings file %1 is larger than %2 MB</source>
        <translation>el archivo de configuración %1 supera los %2 MB</translation>
    </message>
    <message>
        <source>; it was not read</source>
        <translation>; no se leyó</translation>
    </message>
</context>
<context>
    <name>pellomar::TileLoader</name>
    <message>
        <source>a tile was larger than %1 MB</source>
        <translation>un mosaico superaba los %1 MB</translation>
    </message>
    <message>
        <source>the tile server answered %1 %2</source>
        <translation>el servidor de mosaicos respondió %1 %2</translation>
    </message>
    <message>
        <source>a tile was not a PNG picture of 256 or 512 pixels</source>
        <translation>un mosaico no era una imagen PNG de 256 o 512 píxeles</translation>
    </message>
    <message>
        <source>the tile server refused the connection</source>
        <translation>el servidor de mosaicos rechazó la conexión</translation>
    </message>
    <message>
        <source>the tile server&apos;s name was not found</source>
        <translation>no se encontró el nombre del servidor de mosaicos</translation>
    </message>
    <message>
        <source>the tile server did not answer in time</source>
        <translation>el servidor de mosaicos no respondió a tiempo</translation>
    </message>
    <message>
        <source>The tile cache %1 holds files that are not tiles and cannot be removed: tiles are not kept on disk.</source>
        <translation>La caché de mosaicos %1 contiene archivos que no son mosaicos y no se pueden eliminar: los mosaicos no se guardan en el disco.</translation>
    </message>
    <message>
        <source>A file in the tile cache %1 was not a tile; it was removed.</source>
        <translation>Un archivo de la caché de mosaicos %1 no era un mosaico; se eliminó.</translation>
    </message>
    <message>
        <source>%1 files in the tile cache %2 were not tiles; they were removed.</source>
        <translation>%1 archivos de la caché de mosaicos %2 no eran mosaicos; se eliminaron.</translation>
    </message>
</context>
<context>
    <name>pellomar::TileSource</name>
    <message>
        <source>Demo tiles drawn by pellomar-directory</source>
        <translation>Mosaicos de demostración dibujados por pellomar-directory</translation>
    </message>
    <message>
        <source>Map tiles: %1</source>
        <translation>Mosaicos: %1</translation>
    </message>
    <message>
        <source>the setting %1 in %2 cannot be used: %3; mend it to see tiles</source>
        <translation>el ajuste %1 de %2 no se puede usar: %3; corríjalo para ver mosaicos</translation>
    </message>
    <message>
        <source>(empty)</source>
        <translation>(vacía)</translation>
    </message>
    <message>
        <source>the tile server address %1 lacks %2: it must hold {z}, {x} and {y}</source>
        <translation>a la dirección del servidor de mosaicos %1 le falta %2: debe contener {z}, {x} y {y}</translation>
    </message>
    <message>
        <source>the tile server address %1 must begin with http:// or https://</source>
        <translation>la dirección del servidor de mosaicos %1 debe empezar por http:// o https://</translation>
    </message>
    <message>
        <source>the tile server address %1 is not a valid web address</source>
        <translation>la dirección del servidor de mosaicos %1 no es una dirección web válida</translation>
    </message>
    <message>
        <source>the tile server address %1 may hold {z}, {x}, {y} and {r} only after its host</source>
        <translation>la dirección del servidor de mosaicos %1 solo puede contener {z}, {x}, {y} y {r} después del host</translation>
    </message>
</context>
<context>
    <name>pellomar::frmAbout</name>
    <message>
        <source>About Pellomar hotspot finder</source>
        <translation>Acerca de Pellomar</translation>
    </message>
    <message>
        <source>Pellomar may be shared and changed under the terms of the GNU General Public License, version 3 or any later version. It comes with no warranty.</source>
        <translation>Pellomar puede compartirse y modificarse según los términos de la Licencia Pública General de GNU, versión 3 o cualquier versión posterior. Se ofrece sin ninguna garantía.</translation>
    </message>
</context>
<context>
    <name>pellomar::frmImage</name>
    <message>
        <source>Hotspot location image</source>
        <translation>Imagen del lugar del hotspot</translation>
    </message>
    <message>
        <source>Location image</source>
        <translation>Imagen del lugar</translation>
    </message>
</context>
<context>
    <name>pellomar::frmInfo</name>
    <message>
        <source>Hotspot information</source>
        <translation>Información del hotspot</translation>
    </message>
    <message>
        <source>Location Name</source>
        <translation>Nombre del lugar</translation>
    </message>
    <message>
        <source>Type</source>
        <translation>Tipo</translation>
    </message>
    <message>
        <source>Location Type</source>
        <translation>Tipo de lugar</translation>
    </message>
    <message>
        <source>Operator</source>
        <translation>Operador</translation>
    </message>
    <message>
        <source>Website URL</source>
        <translation>Sitio web</translation>
    </message>
    <message>
        <source>Phone Number</source>
        <translation>Teléfono</translation>
    </message>
    <message>
        <source>Email Address</source>
        <translation>Correo</translation>
    </message>
    <message>
        <source>Address</source>
        <translation>Dir.</translation>
    </message>
    <message>
        <source>City</source>
        <translation>Ciud.</translation>
    </message>
    <message>
        <source>ZIP</source>
        <translation>CP</translation>
    </message>
    <message>
        <source>Country</source>
        <translation>País</translation>
    </message>
    <message>
        <source>Technology</source>
        <translation>Tecnología</translation>
    </message>
    <message>
        <source>SSid Info</source>
        <translation>Info SSID</translation>
    </message>
    <message>
        <source>Latitude</source>
        <translation>Latitud</translation>
    </message>
    <message>
        <source>Longitude</source>
        <translation>Longitud</translation>
    </message>
    <message>
        <source>Location description :</source>
        <translation>Descripción del lugar:</translation>
    </message>
    <message>
        <source>Images may take a few seconds to download (if image is available)</source>
        <translation>Las imágenes pueden tardar unos segundos en descargarse (si hay imagen)</translation>
    </message>
    <message>
        <source>Location image</source>
        <translation>Imagen del lugar</translation>
    </message>
    <message>
        <source>Save hotspot to a text file</source>
        <translation>Guardar como texto</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Cerrar</translation>
    </message>
    <message>
        <source>Show on map</source>
        <translation>Ver en el mapa</translation>
    </message>
    <message>
        <source>Text Files (*.txt)</source>
        <translation>Archivos de texto (*.txt)</translation>
    </message>
    <message>
        <source>Saved</source>
        <translation>Guardado</translation>
    </message>
    <message>
        <source>Hotspot Information Saved!<byte value="xd"/>
<byte value="xd"/>
</source>
        <translation>¡Información del hotspot guardada!<byte value="xd"/>
<byte value="xd"/>
</translation>
    </message>
</context>
<context>
    <name>pellomar::frmMain</name>
    <message>
        <source>Pellomar hotspot locator (v %1)</source>
        <translation>Pellomar, localizador de hotspots (v %1)</translation>
    </message>
    <message>
        <source>Message</source>
        <translation>Mensaje</translation>
    </message>
    <message>
        <source>Options</source>
        <translation>Opciones</translation>
    </message>
    <message>
        <source>&amp;Submit a Hotspot</source>
        <translation>&amp;Enviar un hotspot</translation>
    </message>
    <message>
        <source>Export results…</source>
        <translation>Exportar resultados…</translation>
    </message>
    <message>
        <source>Show &amp;map</source>
        <translation>Mostrar &amp;mapa</translation>
    </message>
    <message>
        <source>&amp;Recent searches…</source>
        <translation>Búsquedas &amp;recientes…</translation>
    </message>
    <message>
        <source>&amp;Directory server…</source>
        <translation>Servidor de &amp;directorio…</translation>
    </message>
    <message>
        <source>&amp;About</source>
        <translation>&amp;Acerca de</translation>
    </message>
    <message>
        <source>&amp;Exit</source>
        <translation>&amp;Salir</translation>
    </message>
    <message>
        <source>Country</source>
        <translation>País</translation>
    </message>
    <message>
        <source>Location Type</source>
        <translation>Tipo de lugar</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>Invalid %1. Please reselect from the list options.</source>
        <translation>%1 no válido. Vuelva a elegir de la lista.</translation>
    </message>
    <message>
        <source>You have not selected a valid country!<byte value="xd"/>
<byte value="xd"/>
Please make a select from the country list.</source>
        <translation>¡No ha elegido un país válido!<byte value="xd"/>
<byte value="xd"/>
Elija uno de la lista de países.</translation>
    </message>
    <message>
        <source>%1 This search could not be kept among the recent searches (%2); nothing else is lost.</source>
        <translation>%1 Esta búsqueda no se pudo guardar entre las búsquedas recientes (%2); no se pierde nada más.</translation>
    </message>
    <message>
        <source>Searches go to %1 now.</source>
        <translation>Ahora las búsquedas van a %1.</translation>
    </message>
    <message>
        <source>Search hotspots</source>
        <translation>Buscar hotspots</translation>
    </message>
    <message>
        <source>%1.<byte value="xd"/>
<byte value="xd"/>
Choose another directory server?</source>
        <translation>%1.<byte value="xd"/>
<byte value="xd"/>
¿Elegir otro servidor de directorio?</translation>
    </message>
    <message>
        <source>The results could not be loaded: %1</source>
        <translation>No se pudieron cargar los resultados: %1</translation>
    </message>
    <message>
        <source>Results Loaded!</source>
        <translation>¡Resultados cargados!</translation>
    </message>
    <message numerus="yes">
        <source>%n Results</source>
        <translation>
            <numerusform>%n resultado</numerusform>
            <numerusform>%n resultados</numerusform>
        </translation>
    </message>
    <message>
        <source>Loading Results...</source>
        <translation>Cargando resultados...</translation>
    </message>
</context>
</TS>
