<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de">
<context>
    <name>pellomar::Application</name>
    <message>
        <source>The data folder %1 cannot be created.</source>
        <translation>Der Datenordner %1 kann nicht angelegt werden.</translation>
    </message>
    <message>
        <source>
Pellomar cannot start without it.</source>
        <translation>
Ohne ihn kann Pellomar nicht starten.</translation>
    </message>
</context>
<context>
    <name>pellomar::ColumnHeading</name>
    <message>
        <source>sorted ascending</source>
        <translation>aufsteigend sortiert</translation>
    </message>
    <message>
        <source>sorted descending</source>
        <translation>absteigend sortiert</translation>
    </message>
</context>
<context>
    <name>pellomar::Connection</name>
    <message>
        <source>No answer from the directory server %1 for %2 seconds</source>
        <translation>Keine Antwort vom Verzeichnisserver %1 seit %2 Sekunden</translation>
    </message>
    <message>
        <source>The directory server %1 did not finish its answer within %2 seconds</source>
        <translation>Der Verzeichnisserver %1 hat seine Antwort nicht innerhalb von %2 Sekunden beendet</translation>
    </message>
    <message>
        <source>The reply of %1 is larger than %2 MiB</source>
        <translation>Die Antwort von %1 ist größer als %2 MiB</translation>
    </message>
    <message>
        <source>The connection to %1 broke after %2 bytes of the reply: the server reset it</source>
        <translation>Die Verbindung zu %1 brach nach %2 Bytes der Antwort ab: Der Server hat sie zurückgesetzt</translation>
    </message>
    <message>
        <source>The directory server %1 refused the connection</source>
        <translation>Der Verzeichnisserver %1 hat die Verbindung abgelehnt</translation>
    </message>
    <message>
        <source>The directory server %1 was not found</source>
        <translation>Der Verzeichnisserver %1 wurde nicht gefunden</translation>
    </message>
    <message>
        <source>The network to %1 is unreachable</source>
        <translation>Das Netz zu %1 ist nicht erreichbar</translation>
    </message>
    <message>
        <source>The connection to %1 timed out</source>
        <translation>Die Verbindung zu %1 hat zu lange gedauert</translation>
    </message>
    <message>
        <source>The connection to %1 failed: </source>
        <translation>Die Verbindung zu %1 ist fehlgeschlagen: </translation>
    </message>
</context>
<context>
    <name>pellomar::DesignedControls</name>
    <message>
        <source>Pellomar hotspot finder</source>
        <translation>Pellomar Hotspot-Finder</translation>
    </message>
    <message>
        <source>Locate WiFi hotspots around the world, with our easy to use application. You may also submit your own hotspots to our database.</source>
        <translation>Finden Sie WLAN-Hotspots in aller Welt, ganz einfach. Sie können auch eigene Hotspots in unsere Datenbank eintragen.</translation>
    </message>
    <message>
        <source>Free software: GNU GPL, version 3 or later</source>
        <translation>Freie Software: GNU GPL, Version 3 oder neuer</translation>
    </message>
    <message>
        <source>website : </source>
        <translation>Website: </translation>
    </message>
    <message>
        <source>&amp;Ok</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>Search wireless hotspots :</source>
        <translation>WLAN-Hotspots suchen:</translation>
    </message>
    <message>
        <source>Country</source>
        <translation>Land</translation>
    </message>
    <message>
        <source>City</source>
        <translation>Ort</translation>
    </message>
    <message>
        <source>ZIP Code</source>
        <translation>PLZ</translation>
    </message>
    <message>
        <source>Location Type</source>
        <translation>Standorttyp</translation>
    </message>
    <message>
        <source>Hotspot Type</source>
        <translation>Hotspot-Typ</translation>
    </message>
    <message>
        <source>Search hotspots!</source>
        <translation>Hotspots suchen!</translation>
    </message>
    <message>
        <source>Wireless hotspots matching your query:</source>
        <translation>WLAN-Hotspots zu Ihrer Suche:</translation>
    </message>
    <message>
        <source>Welcome to Pellomar.</source>
        <translation>Willkommen bei Pellomar.</translation>
    </message>
</context>
<context>
    <name>pellomar::DownloadCaption</name>
    <message>
        <source>Downloaded %1 %2</source>
        <translation>Heruntergeladen am %1 um %2</translation>
    </message>
    <message>
        <source>d MMM yyyy</source>
        <comment>the date&apos;s format in QLocale&apos;s letters</comment>
        <translation>d. MMM yyyy</translation>
    </message>
</context>
<context>
    <name>pellomar::FileIo</name>
    <message>
        <source>Cannot open %1: %2</source>
        <translation>%1 kann nicht geöffnet werden: %2</translation>
    </message>
    <message>
        <source>%1 is a folder, not a file</source>
        <translation>%1 ist ein Ordner, keine Datei</translation>
    </message>
    <message>
        <source>%1 is not a regular file</source>
        <translation>%1 ist keine gewöhnliche Datei</translation>
    </message>
    <message>
        <source>%1 does not exist</source>
        <translation>%1 ist nicht vorhanden</translation>
    </message>
    <message>
        <source>%1 is too large (%2 bytes)</source>
        <translation>%1 ist zu groß (%2 Bytes)</translation>
    </message>
    <message>
        <source>Cannot read %1: %2</source>
        <translation>%1 kann nicht gelesen werden: %2</translation>
    </message>
    <message>
        <source>only part of the data could be written (is the disk full?)</source>
        <translation>nur ein Teil der Daten konnte geschrieben werden (ist der Datenträger voll?)</translation>
    </message>
    <message>
        <source>Cannot write %1: %2</source>
        <translation>%1 kann nicht geschrieben werden: %2</translation>
    </message>
    <message>
        <source>the file was written already</source>
        <translation>die Datei wurde bereits geschrieben</translation>
    </message>
</context>
<context>
    <name>pellomar::MapCanvas</name>
    <message>
        <source>… and %1 more</source>
        <translation>… und %1 weitere</translation>
    </message>
    <message>
        <source>%1 hotspots: %2 and %3 more</source>
        <translation>%1 Hotspots: %2 und %3 weitere</translation>
    </message>
</context>
<context>
    <name>pellomar::MapWindow</name>
    <message>
        <source>Hotspot map</source>
        <translation>Hotspot-Karte</translation>
    </message>
    <message>
        <source>Fit</source>
        <translation>Alles zeigen</translation>
    </message>
    <message>
        <source>Show every marker</source>
        <translation>Alle Markierungen zeigen</translation>
    </message>
    <message>
        <source>The map tiles are unavailable: %1.</source>
        <translation>Die Kartenkacheln sind nicht verfügbar: %1.</translation>
    </message>
    <message>
        <source>1 hotspot has no position</source>
        <translation>1 Hotspot hat keine Position</translation>
    </message>
    <message numerus="yes">
        <source>%n hotspots have no position</source>
        <translation>
            <numerusform>%n Hotspot hat keine Position</numerusform>
            <numerusform>%n Hotspots haben keine Position</numerusform>
        </translation>
    </message>
    <message>
        <source>There are no hotspots to show.</source>
        <translation>Es gibt keine Hotspots zum Anzeigen.</translation>
    </message>
    <message>
        <source>None of these hotspots has a position to show on a map.</source>
        <translation>Keiner dieser Hotspots hat eine Position, die sich auf einer Karte zeigen ließe.</translation>
    </message>
    <message>
        <source>The map shows no tiles: %1.</source>
        <translation>Die Karte zeigt keine Kacheln: %1.</translation>
    </message>
</context>
<context>
    <name>pellomar::RecentSearches</name>
    <message>
        <source>%1 cannot be made</source>
        <translation>%1 kann nicht angelegt werden</translation>
    </message>
    <message>
        <source>it is larger than %1 MiB</source>
        <translation>sie ist größer als %1 MiB</translation>
    </message>
    <message>
        <source>%1 cannot be removed</source>
        <translation>%1 kann nicht entfernt werden</translation>
    </message>
</context>
<context>
    <name>pellomar::RecentSearchesDialog</name>
    <message>
        <source>Recent searches</source>
        <translation>Letzte Suchen</translation>
    </message>
    <message>
        <source>Where</source>
        <translation>Wo</translation>
    </message>
    <message>
        <source>What</source>
        <translation>Was</translation>
    </message>
    <message>
        <source>When</source>
        <translation>Wann</translation>
    </message>
    <message>
        <source>Rows</source>
        <translation>Zeilen</translation>
    </message>
    <message>
        <source>&amp;Open</source>
        <translation>Ö&amp;ffnen</translation>
    </message>
    <message>
        <source>&amp;Forget all…</source>
        <translation>Alle &amp;vergessen…</translation>
    </message>
    <message>
        <source>These kept searches are damaged and cannot be shown: %1</source>
        <translation>Diese gespeicherten Suchen sind beschädigt und können nicht angezeigt werden: %1</translation>
    </message>
    <message>
        <source>Forget every kept search? They cannot be shown again without a new search.</source>
        <translation>Alle gespeicherten Suchen vergessen? Sie lassen sich nur durch eine neue Suche wieder anzeigen.</translation>
    </message>
</context>
<context>
    <name>pellomar::ReferenceFiles</name>
    <message>
        <source>The reference file %1 cannot be read: %2.</source>
        <translation>Die Referenzdatei %1 kann nicht gelesen werden: %2.</translation>
    </message>
    <message>
        <source>%1: only the first %2 entries are used; %3 further lines were ignored.</source>
        <translation>%1: Nur die ersten %2 Einträge werden verwendet; %3 weitere Zeilen wurden übergangen.</translation>
    </message>
</context>
<context>
    <name>pellomar::ResultExport</name>
    <message>
        <source>CSV Files (*.csv)</source>
        <translation>CSV-Dateien (*.csv)</translation>
    </message>
    <message>
        <source>GPX Files (*.gpx)</source>
        <translation>GPX-Dateien (*.gpx)</translation>
    </message>
    <message>
        <source>KML Files (*.kml)</source>
        <translation>KML-Dateien (*.kml)</translation>
    </message>
    <message>
        <source>1 hotspot</source>
        <translation>1 Hotspot</translation>
    </message>
    <message numerus="yes">
        <source>%n hotspots</source>
        <translation>
            <numerusform>%n Hotspot</numerusform>
            <numerusform>%n Hotspots</numerusform>
        </translation>
    </message>
    <message>
        <source>There are no results to export.</source>
        <translation>Es gibt keine Ergebnisse zum Exportieren.</translation>
    </message>
    <message>
        <source>%1 exported to<byte value="xd"/>
<byte value="xd"/>
%2</source>
        <translation>%1 exportiert nach<byte value="xd"/>
<byte value="xd"/>
%2</translation>
    </message>
    <message>
        <source><byte value="xd"/>
<byte value="xd"/>
%1 without valid coordinates left out.</source>
        <translation><byte value="xd"/>
<byte value="xd"/>
%1 ohne gültige Koordinaten ausgelassen.</translation>
    </message>
    <message>
        <source>Exported</source>
        <translation>Exportiert</translation>
    </message>
    <message>
        <source>The results could not be exported.<byte value="xd"/>
<byte value="xd"/>
</source>
        <translation>Die Ergebnisse konnten nicht exportiert werden.<byte value="xd"/>
<byte value="xd"/>
</translation>
    </message>
</context>
<context>
    <name>pellomar::ResultFile</name>
    <message>
        <source>The search results could not be stored: </source>
        <translation>Die Suchergebnisse konnten nicht gespeichert werden: </translation>
    </message>
    <message>
        <source>Cannot read %1: %2</source>
        <translation>%1 kann nicht gelesen werden: %2</translation>
    </message>
    <message>
        <source>%1 is damaged: it holds a line of more than %2 KiB</source>
        <translation>%1 ist beschädigt: Sie enthält eine Zeile von mehr als %2 KiB</translation>
    </message>
</context>
<context>
    <name>pellomar::ResultLayout</name>
    <message>
        <source>Number</source>
        <translation>Nummer</translation>
    </message>
    <message>
        <source>Location Name</source>
        <translation>Standort</translation>
    </message>
    <message>
        <source>Country</source>
        <translation>Land</translation>
    </message>
    <message>
        <source>City</source>
        <translation>Ort</translation>
    </message>
    <message>
        <source>Type</source>
        <translation>Typ</translation>
    </message>
    <message>
        <source>Access</source>
        <translation>Zugang</translation>
    </message>
    <message>
        <source>Operator</source>
        <translation>Betreiber</translation>
    </message>
</context>
<context>
    <name>pellomar::ResultList</name>
    <message>
        <source>%1 of %2 results shown</source>
        <translation>%1 von %2 Ergebnissen angezeigt</translation>
    </message>
    <message>
        <source>, sorted by %1 %2</source>
        <translation>, sortiert nach %1 %2</translation>
    </message>
    <message>
        <source>ascending</source>
        <translation>aufsteigend</translation>
    </message>
    <message>
        <source>descending</source>
        <translation>absteigend</translation>
    </message>
</context>
<context>
    <name>pellomar::ResultListView</name>
    <message>
        <source>Result rows</source>
        <translation>Ergebniszeilen</translation>
    </message>
    <message>
        <source>Results</source>
        <translation>Ergebnisse</translation>
    </message>
    <message>
        <source>Scroll results</source>
        <translation>Ergebnisse blättern</translation>
    </message>
</context>
<context>
    <name>pellomar::ResultLoader</name>
    <message>
        <source>Max Results</source>
        <translation>Höchstzahl an Ergebnissen</translation>
    </message>
    <message>
        <source>More then 300 hotspots were found that match your query.<byte value="xd"/>
<byte value="xd"/>
Please narrow your search</source>
        <translation>Es wurden mehr als 300 Hotspots zu Ihrer Suche gefunden.<byte value="xd"/>
<byte value="xd"/>
Bitte schränken Sie Ihre Suche ein</translation>
    </message>
</context>
<context>
    <name>pellomar::ResultPanel</name>
    <message>
        <source>Filter</source>
        <translation>Filtern</translation>
    </message>
</context>
<context>
    <name>pellomar::SaveDialog</name>
    <message>
        <source>File exists... would you like to overwrite?</source>
        <translation>Die Datei ist schon vorhanden … Möchten Sie sie überschreiben?</translation>
    </message>
</context>
<context>
    <name>pellomar::SearchExchange</name>
    <message>
        <source>Requesting Data...</source>
        <translation>Daten werden angefordert …</translation>
    </message>
    <message>
        <source>Connecting...</source>
        <translation>Verbindung wird hergestellt …</translation>
    </message>
    <message>
        <source>Data Downloaded - Loading Results...</source>
        <translation>Daten heruntergeladen – Ergebnisse werden geladen …</translation>
    </message>
</context>
<context>
    <name>pellomar::SearchReply</name>
    <message>
        <source>The directory server closed the connection without a reply</source>
        <translation>Der Verzeichnisserver hat die Verbindung ohne Antwort geschlossen</translation>
    </message>
    <message>
        <source>The directory server&apos;s reply is incomplete: its headers never end</source>
        <translation>Die Antwort des Verzeichnisservers ist unvollständig: Ihre Kopfzeilen enden nie</translation>
    </message>
    <message>
        <source>The directory server&apos;s reply is not an HTTP reply</source>
        <translation>Die Antwort des Verzeichnisservers ist keine HTTP-Antwort</translation>
    </message>
    <message>
        <source>The directory server&apos;s reply is sent in a transfer coding this program cannot read</source>
        <translation>Die Antwort des Verzeichnisservers kommt in einer Transferkodierung, die dieses Programm nicht lesen kann</translation>
    </message>
    <message>
        <source>The reply was not a hotspot directory&apos;s: the network may need a sign-in in the browser first</source>
        <translation>Die Antwort kam nicht von einem Hotspot-Verzeichnis: Das Netz verlangt vielleicht zuerst eine Anmeldung im Browser</translation>
    </message>
    <message>
        <source>The directory server&apos;s reply is no list of hotspots: it holds a line of more than %1 KiB</source>
        <translation>Die Antwort des Verzeichnisservers ist keine Hotspot-Liste: Sie enthält eine Zeile von mehr als %1 KiB</translation>
    </message>
</context>
<context>
    <name>pellomar::ServerAddress</name>
    <message>
        <source>&apos;%1&apos; is not a HOST or HOST:PORT address (a port is 1 to 65535)</source>
        <translation>„%1“ ist keine Adresse der Form HOST oder HOST:PORT (ein Port ist 1 bis 65535)</translation>
    </message>
</context>
<context>
    <name>pellomar::ServerChoice</name>
    <message>
        <source>The settings file %1 cannot be written.</source>
        <translation>Die Einstellungsdatei %1 kann nicht geschrieben werden.</translation>
    </message>
</context>
<context>
    <name>pellomar::ServerDialog</name>
    <message>
        <source>Directory server</source>
        <translation>Verzeichnisserver</translation>
    </message>
    <message>
        <source>The hotspot &amp;directory to search, HOST or HOST:PORT:</source>
        <translation>Das zu durchsuchende Hotspot-&amp;Verzeichnis, HOST oder HOST:PORT:</translation>
    </message>
    <message>
        <source>This run searches %1, named on the command line (--server). The server chosen here is searched from the next start on.</source>
        <translation>Dieser Lauf durchsucht %1, das auf der Befehlszeile genannt ist (--server). Der hier gewählte Server wird ab dem nächsten Start durchsucht.</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Fehler</translation>
    </message>
</context>
<context>
    <name>pellomar::Settings</name>
    <message>
        <source>the settings file %1 is not a regular file</source>
        <translation>die Einstellungsdatei %1 ist keine gewöhnliche Datei</translation>
    </message>
    <message>
        <source>the settings file %1 is larger than %2 MB</source>
        <translation>die Einstellungsdatei %1 ist größer als %2 MB</translation>
    </message>
    <message>
        <source>; it was not read</source>
        <translation>; sie wurde nicht gelesen</translation>
    </message>
</context>
<context>
    <name>pellomar::TileLoader</name>
    <message>
        <source>a tile was larger than %1 MB</source>
        <translation>eine Kachel war größer als %1 MB</translation>
    </message>
    <message>
        <source>the tile server answered %1 %2</source>
        <translation>der Kachelserver antwortete %1 %2</translation>
    </message>
    <message>
        <source>a tile was not a PNG picture of 256 or 512 pixels</source>
        <translation>eine Kachel war kein PNG-Bild von 256 oder 512 Pixeln</translation>
    </message>
    <message>
        <source>the tile server refused the connection</source>
        <translation>der Kachelserver hat die Verbindung abgelehnt</translation>
    </message>
    <message>
        <source>the tile server&apos;s name was not found</source>
        <translation>der Name des Kachelservers wurde nicht gefunden</translation>
    </message>
    <message>
        <source>the tile server did not answer in time</source>
        <translation>der Kachelserver hat nicht rechtzeitig geantwortet</translation>
    </message>
    <message>
        <source>The tile cache %1 holds files that are not tiles and cannot be removed: tiles are not kept on disk.</source>
        <translation>Der Kachelspeicher %1 enthält Dateien, die keine Kacheln sind und nicht entfernt werden können: Kacheln werden nicht auf dem Datenträger behalten.</translation>
    </message>
    <message>
        <source>A file in the tile cache %1 was not a tile; it was removed.</source>
        <translation>Eine Datei im Kachelspeicher %1 war keine Kachel; sie wurde entfernt.</translation>
    </message>
    <message>
        <source>%1 files in the tile cache %2 were not tiles; they were removed.</source>
        <translation>%1 Dateien im Kachelspeicher %2 waren keine Kacheln; sie wurden entfernt.</translation>
    </message>
</context>
<context>
    <name>pellomar::TileSource</name>
    <message>
        <source>Demo tiles drawn by pellomar-directory</source>
        <translation>Demo-Kacheln von pellomar-directory</translation>
    </message>
    <message>
        <source>Map tiles: %1</source>
        <translation>Kartenkacheln: %1</translation>
    </message>
    <message>
        <source>the setting %1 in %2 cannot be used: %3; mend it to see tiles</source>
        <translation>die Einstellung %1 in %2 ist unbrauchbar: %3; berichtigen Sie sie, um Kacheln zu sehen</translation>
    </message>
    <message>
        <source>(empty)</source>
        <translation>(leer)</translation>
    </message>
    <message>
        <source>the tile server address %1 lacks %2: it must hold {z}, {x} and {y}</source>
        <translation>der Adresse des Kachelservers %1 fehlt %2: Sie muss {z}, {x} und {y} enthalten</translation>
    </message>
    <message>
        <source>the tile server address %1 must begin with http:// or https://</source>
        <translation>die Adresse des Kachelservers %1 muss mit http:// oder https:// beginnen</translation>
    </message>
    <message>
        <source>the tile server address %1 is not a valid web address</source>
        <translation>die Adresse des Kachelservers %1 ist keine gültige Webadresse</translation>
    </message>
    <message>
        <source>the tile server address %1 may hold {z}, {x}, {y} and {r} only after its host</source>
        <translation>die Adresse des Kachelservers %1 darf {z}, {x}, {y} und {r} erst nach dem Host enthalten</translation>
    </message>
</context>
<context>
    <name>pellomar::frmAbout</name>
    <message>
        <source>About Pellomar hotspot finder</source>
        <translation>Über Pellomar Hotspot-Finder</translation>
    </message>
    <message>
        <source>Pellomar may be shared and changed under the terms of the GNU General Public License, version 3 or any later version. It comes with no warranty.</source>
        <translation>Pellomar darf unter den Bedingungen der GNU General Public License, Version 3 oder jeder späteren Version, weitergegeben und verändert werden. Es gibt keine Garantie.</translation>
    </message>
</context>
<context>
    <name>pellomar::frmImage</name>
    <message>
        <source>Hotspot location image</source>
        <translation>Bild des Hotspot-Standorts</translation>
    </message>
    <message>
        <source>Location image</source>
        <translation>Bild des Standorts</translation>
    </message>
</context>
<context>
    <name>pellomar::frmInfo</name>
    <message>
        <source>Hotspot information</source>
        <translation>Hotspot-Informationen</translation>
    </message>
    <message>
        <source>Location Name</source>
        <translation>Standort</translation>
    </message>
    <message>
        <source>Type</source>
        <translation>Typ</translation>
    </message>
    <message>
        <source>Location Type</source>
        <translation>Standorttyp</translation>
    </message>
    <message>
        <source>Operator</source>
        <translation>Betreiber</translation>
    </message>
    <message>
        <source>Website URL</source>
        <translation>Webadresse</translation>
    </message>
    <message>
        <source>Phone Number</source>
        <translation>Telefon</translation>
    </message>
    <message>
        <source>Email Address</source>
        <translation>E-Mail</translation>
    </message>
    <message>
        <source>Address</source>
        <translation>Adresse</translation>
    </message>
    <message>
        <source>City</source>
        <translation>Ort</translation>
    </message>
    <message>
        <source>ZIP</source>
        <translation>PLZ</translation>
    </message>
    <message>
        <source>Country</source>
        <translation>Land</translation>
    </message>
    <message>
        <source>Technology</source>
        <translation>Technik</translation>
    </message>
    <message>
        <source>SSid Info</source>
        <translation>SSID-Info</translation>
    </message>
    <message>
        <source>Latitude</source>
        <translation>Breite</translation>
    </message>
    <message>
        <source>Longitude</source>
        <translation>Länge</translation>
    </message>
    <message>
        <source>Location description :</source>
        <translation>Beschreibung:</translation>
    </message>
    <message>
        <source>Images may take a few seconds to download (if image is available)</source>
        <translation>Bilder können einige Sekunden zum Laden brauchen (falls ein Bild vorhanden ist)</translation>
    </message>
    <message>
        <source>Location image</source>
        <translation>Bild des Standorts</translation>
    </message>
    <message>
        <source>Save hotspot to a text file</source>
        <translation>Als Textdatei speichern</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Show on map</source>
        <translation>Auf der Karte zeigen</translation>
    </message>
    <message>
        <source>Text Files (*.txt)</source>
        <translation>Textdateien (*.txt)</translation>
    </message>
    <message>
        <source>Saved</source>
        <translation>Gespeichert</translation>
    </message>
    <message>
        <source>Hotspot Information Saved!<byte value="xd"/>
<byte value="xd"/>
</source>
        <translation>Hotspot-Informationen gespeichert!<byte value="xd"/>
<byte value="xd"/>
</translation>
    </message>
</context>
<context>
    <name>pellomar::frmMain</name>
    <message>
        <source>Pellomar hotspot locator (v %1)</source>
        <translation>Pellomar Hotspot-Finder (v %1)</translation>
    </message>
    <message>
        <source>Message</source>
        <translation>Meldung</translation>
    </message>
    <message>
        <source>Options</source>
        <translation>Optionen</translation>
    </message>
    <message>
        <source>&amp;Submit a Hotspot</source>
        <translation>Hotspot &amp;melden</translation>
    </message>
    <message>
        <source>Export results…</source>
        <translation>Ergebnisse exportieren…</translation>
    </message>
    <message>
        <source>Show &amp;map</source>
        <translation>&amp;Karte zeigen</translation>
    </message>
    <message>
        <source>&amp;Recent searches…</source>
        <translation>&amp;Letzte Suchen…</translation>
    </message>
    <message>
        <source>&amp;Directory server…</source>
        <translation>&amp;Verzeichnisserver…</translation>
    </message>
    <message>
        <source>&amp;About</source>
        <translation>&amp;Über</translation>
    </message>
    <message>
        <source>&amp;Exit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>Country</source>
        <translation>Land</translation>
    </message>
    <message>
        <source>Location Type</source>
        <translation>Standorttyp</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Fehler</translation>
    </message>
    <message>
        <source>Invalid %1. Please reselect from the list options.</source>
        <translation>Ungültige Angabe: %1. Bitte wählen Sie erneut aus der Liste.</translation>
    </message>
    <message>
        <source>You have not selected a valid country!<byte value="xd"/>
<byte value="xd"/>
Please make a select from the country list.</source>
        <translation>Sie haben kein gültiges Land gewählt!<byte value="xd"/>
<byte value="xd"/>
Bitte wählen Sie eines aus der Länderliste.</translation>
    </message>
    <message>
        <source>%1 This search could not be kept among the recent searches (%2); nothing else is lost.</source>
        <translation>%1 Diese Suche konnte nicht unter den letzten Suchen behalten werden (%2); sonst geht nichts verloren.</translation>
    </message>
    <message>
        <source>Searches go to %1 now.</source>
        <translation>Suchen gehen jetzt an %1.</translation>
    </message>
    <message>
        <source>Search hotspots</source>
        <translation>Hotspots suchen</translation>
    </message>
    <message>
        <source>%1.<byte value="xd"/>
<byte value="xd"/>
Choose another directory server?</source>
        <translation>%1.<byte value="xd"/>
<byte value="xd"/>
Einen anderen Verzeichnisserver wählen?</translation>
    </message>
    <message>
        <source>The results could not be loaded: %1</source>
        <translation>Die Ergebnisse konnten nicht geladen werden: %1</translation>
    </message>
    <message>
        <source>Results Loaded!</source>
        <translation>Ergebnisse geladen!</translation>
    </message>
    <message numerus="yes">
        <source>%n Results</source>
        <translation>
            <numerusform>%n Ergebnis</numerusform>
            <numerusform>%n Ergebnisse</numerusform>
        </translation>
    </message>
    <message>
        <source>Loading Results...</source>
        <translation>Ergebnisse werden geladen …</translation>
    </message>
</context>
</TS>
