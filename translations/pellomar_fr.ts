<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr">
<context>
    <name>pellomar::Application</name>
    <message>
        <source>The data folder %1 cannot be created.</source>
        <translation>Le dossier de données %1 ne peut pas être créé.</translation>
    </message>
    <message>
        <source>
Pellomar cannot start without it.</source>
        <translation>
Pellomar ne peut pas démarrer sans lui.</translation>
    </message>
</context>
<context>
    <name>pellomar::ColumnHeading</name>
    <message>
        <source>sorted ascending</source>
        <translation>tri croissant</translation>
    </message>
    <message>
        <source>sorted descending</source>
        <translation>tri décroissant</translation>
    </message>
</context>
<context>
    <name>pellomar::Connection</name>
    <message>
        <source>No answer from the directory server %1 for %2 seconds</source>
        <translation>Aucune réponse du serveur d&apos;annuaire %1 depuis %2 secondes</translation>
    </message>
    <message>
        <source>The directory server %1 did not finish its answer within %2 seconds</source>
        <translation>Le serveur d&apos;annuaire %1 n&apos;a pas terminé sa réponse en %2 secondes</translation>
    </message>
    <message>
        <source>The reply of %1 is larger than %2 MiB</source>
        <translation>La réponse de %1 dépasse %2 Mio</translation>
    </message>
    <message>
        <source>The connection to %1 broke after %2 bytes of the reply: the server reset it</source>
        <translation>La connexion à %1 a été coupée après %2 octets de la réponse : le serveur l&apos;a réinitialisée</translation>
    </message>
    <message>
        <source>The directory server %1 refused the connection</source>
        <translation>Le serveur d&apos;annuaire %1 a refusé la connexion</translation>
    </message>
    <message>
        <source>The directory server %1 was not found</source>
        <translation>Le serveur d&apos;annuaire %1 est introuvable</translation>
    </message>
    <message>
        <source>The network to %1 is unreachable</source>
        <translation>Le réseau vers %1 est inaccessible</translation>
    </message>
    <message>
        <source>The connection to %1 timed out</source>
        <translation>Le délai de connexion à %1 est dépassé</translation>
    </message>
    <message>
        <source>The connection to %1 failed: </source>
        <translation>La connexion à %1 a échoué : </translation>
    </message>
</context>
<context>
    <name>pellomar::DesignedControls</name>
    <message>
        <source>Pellomar hotspot finder</source>
        <translation>Pellomar : hotspots Wi-Fi</translation>
    </message>
    <message>
        <source>Locate WiFi hotspots around the world, with our easy to use application. You may also submit your own hotspots to our database.</source>
        <translation>Trouvez des hotspots Wi-Fi dans le monde entier, en toute simplicité. Vous pouvez aussi ajouter vos hotspots à notre base.</translation>
    </message>
    <message>
        <source>Free software: GNU GPL, version 3 or later</source>
        <translation>Logiciel libre : GNU GPL v3 ou ultérieure</translation>
    </message>
    <message>
        <source>website : </source>
        <translation>site web : </translation>
    </message>
    <message>
        <source>&amp;Ok</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>Search wireless hotspots :</source>
        <translation>Chercher des hotspots :</translation>
    </message>
    <message>
        <source>Country</source>
        <translation>Pays</translation>
    </message>
    <message>
        <source>City</source>
        <translation>Ville</translation>
    </message>
    <message>
        <source>ZIP Code</source>
        <translation>Code post.</translation>
    </message>
    <message>
        <source>Location Type</source>
        <translation>Type de lieu</translation>
    </message>
    <message>
        <source>Hotspot Type</source>
        <translation>Type d&apos;accès</translation>
    </message>
    <message>
        <source>Search hotspots!</source>
        <translation>Chercher des hotspots !</translation>
    </message>
    <message>
        <source>Wireless hotspots matching your query:</source>
        <translation>Hotspots trouvés pour votre recherche :</translation>
    </message>
    <message>
        <source>Welcome to Pellomar.</source>
        <translation>Bienvenue dans Pellomar.</translation>
    </message>
</context>
<context>
    <name>pellomar::DownloadCaption</name>
    <message>
        <source>Downloaded %1 %2</source>
        <translation>Téléchargé le %1 à %2</translation>
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
        <translation>Impossible d&apos;ouvrir %1 : %2</translation>
    </message>
    <message>
        <source>%1 is a folder, not a file</source>
        <translation>%1 est un dossier, pas un fichier</translation>
    </message>
    <message>
        <source>%1 is not a regular file</source>
        <translation>%1 n&apos;est pas un fichier ordinaire</translation>
    </message>
    <message>
        <source>%1 does not exist</source>
        <translation>%1 n&apos;existe pas</translation>
    </message>
    <message>
        <source>%1 is too large (%2 bytes)</source>
        <translation>%1 est trop volumineux (%2 octets)</translation>
    </message>
    <message>
        <source>Cannot read %1: %2</source>
        <translation>Impossible de lire %1 : %2</translation>
    </message>
    <message>
        <source>only part of the data could be written (is the disk full?)</source>
        <translation>seule une partie des données a pu être écrite (le disque est-il plein ?)</translation>
    </message>
    <message>
        <source>Cannot write %1: %2</source>
        <translation>Impossible d&apos;écrire %1 : %2</translation>
    </message>
    <message>
        <source>the file was written already</source>
        <translation>le fichier a déjà été écrit</translation>
    </message>
</context>
<context>
    <name>pellomar::MapCanvas</name>
    <message>
        <source>… and %1 more</source>
        <translation>… et %1 de plus</translation>
    </message>
    <message>
        <source>%1 hotspots: %2 and %3 more</source>
        <translation>%1 hotspots : %2 et %3 de plus</translation>
    </message>
</context>
<context>
    <name>pellomar::MapWindow</name>
    <message>
        <source>Hotspot map</source>
        <translation>Carte des hotspots</translation>
    </message>
    <message>
        <source>Fit</source>
        <translation>Tout voir</translation>
    </message>
    <message>
        <source>Show every marker</source>
        <translation>Afficher tous les repères</translation>
    </message>
    <message>
        <source>The map tiles are unavailable: %1.</source>
        <translation>Les tuiles de la carte sont indisponibles : %1.</translation>
    </message>
    <message>
        <source>1 hotspot has no position</source>
        <translation>1 hotspot n&apos;a pas de position</translation>
    </message>
    <message numerus="yes">
        <source>%n hotspots have no position</source>
        <translation>
            <numerusform>%n hotspot n&apos;a pas de position</numerusform>
            <numerusform>%n hotspots n&apos;ont pas de position</numerusform>
        </translation>
    </message>
    <message>
        <source>There are no hotspots to show.</source>
        <translation>Il n&apos;y a aucun hotspot à afficher.</translation>
    </message>
    <message>
        <source>None of these hotspots has a position to show on a map.</source>
        <translation>Aucun de ces hotspots n&apos;a de position à afficher sur une carte.</translation>
    </message>
    <message>
        <source>The map shows no tiles: %1.</source>
        <translation>La carte n&apos;affiche aucune tuile : %1.</translation>
    </message>
</context>
<context>
    <name>pellomar::RecentSearches</name>
    <message>
        <source>%1 cannot be made</source>
        <translation>%1 ne peut pas être créé</translation>
    </message>
    <message>
        <source>it is larger than %1 MiB</source>
        <translation>elle dépasse %1 Mio</translation>
    </message>
    <message>
        <source>%1 cannot be removed</source>
        <translation>%1 ne peut pas être supprimé</translation>
    </message>
</context>
<context>
    <name>pellomar::RecentSearchesDialog</name>
    <message>
        <source>Recent searches</source>
        <translation>Recherches récentes</translation>
    </message>
    <message>
        <source>Where</source>
        <translation>Où</translation>
    </message>
    <message>
        <source>What</source>
        <translation>Quoi</translation>
    </message>
    <message>
        <source>When</source>
        <translation>Quand</translation>
    </message>
    <message>
        <source>Rows</source>
        <translation>Lignes</translation>
    </message>
    <message>
        <source>&amp;Open</source>
        <translation>&amp;Ouvrir</translation>
    </message>
    <message>
        <source>&amp;Forget all…</source>
        <translation>&amp;Tout oublier…</translation>
    </message>
    <message>
        <source>These kept searches are damaged and cannot be shown: %1</source>
        <translation>Ces recherches conservées sont endommagées et ne peuvent pas être affichées : %1</translation>
    </message>
    <message>
        <source>Forget every kept search? They cannot be shown again without a new search.</source>
        <translation>Oublier toutes les recherches conservées ? Elles ne pourront être réaffichées qu&apos;en relançant une recherche.</translation>
    </message>
</context>
<context>
    <name>pellomar::ReferenceFiles</name>
    <message>
        <source>The reference file %1 cannot be read: %2.</source>
        <translation>Le fichier de référence %1 ne peut pas être lu : %2.</translation>
    </message>
    <message>
        <source>%1: only the first %2 entries are used; %3 further lines were ignored.</source>
        <translation>%1 : seules les %2 premières entrées sont utilisées ; %3 lignes supplémentaires ont été ignorées.</translation>
    </message>
</context>
<context>
    <name>pellomar::ResultExport</name>
    <message>
        <source>CSV Files (*.csv)</source>
        <translation>Fichiers CSV (*.csv)</translation>
    </message>
    <message>
        <source>GPX Files (*.gpx)</source>
        <translation>Fichiers GPX (*.gpx)</translation>
    </message>
    <message>
        <source>KML Files (*.kml)</source>
        <translation>Fichiers KML (*.kml)</translation>
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
        <translation>Il n&apos;y a aucun résultat à exporter.</translation>
    </message>
    <message>
        <source>%1 exported to<byte value="xd"/>
<byte value="xd"/>
%2</source>
        <translation>%1 exporté(s) vers<byte value="xd"/>
<byte value="xd"/>
%2</translation>
    </message>
    <message>
        <source><byte value="xd"/>
<byte value="xd"/>
%1 without valid coordinates left out.</source>
        <translation><byte value="xd"/>
<byte value="xd"/>
%1 sans coordonnées valides omis.</translation>
    </message>
    <message>
        <source>Exported</source>
        <translation>Exporté</translation>
    </message>
    <message>
        <source>The results could not be exported.<byte value="xd"/>
<byte value="xd"/>
</source>
        <translation>Les résultats n&apos;ont pas pu être exportés.<byte value="xd"/>
<byte value="xd"/>
</translation>
    </message>
</context>
<context>
    <name>pellomar::ResultFile</name>
    <message>
        <source>The search results could not be stored: </source>
        <translation>Les résultats de la recherche n&apos;ont pas pu être enregistrés : </translation>
    </message>
    <message>
        <source>Cannot read %1: %2</source>
        <translation>Impossible de lire %1 : %2</translation>
    </message>
    <message>
        <source>%1 is damaged: it holds a line of more than %2 KiB</source>
        <translation>%1 est endommagé : il contient une ligne de plus de %2 Kio</translation>
    </message>
</context>
<context>
    <name>pellomar::ResultLayout</name>
    <message>
        <source>Number</source>
        <translation>Numéro</translation>
    </message>
    <message>
        <source>Location Name</source>
        <translation>Nom du lieu</translation>
    </message>
    <message>
        <source>Country</source>
        <translation>Pays</translation>
    </message>
    <message>
        <source>City</source>
        <translation>Ville</translation>
    </message>
    <message>
        <source>Type</source>
        <translation>Type</translation>
    </message>
    <message>
        <source>Access</source>
        <translation>Accès</translation>
    </message>
    <message>
        <source>Operator</source>
        <translation>Opérateur</translation>
    </message>
</context>
<context>
    <name>pellomar::ResultList</name>
    <message>
        <source>%1 of %2 results shown</source>
        <translation>%1 résultats affichés sur %2</translation>
    </message>
    <message>
        <source>, sorted by %1 %2</source>
        <translation>, triés par %1 %2</translation>
    </message>
    <message>
        <source>ascending</source>
        <translation>croissant</translation>
    </message>
    <message>
        <source>descending</source>
        <translation>décroissant</translation>
    </message>
</context>
<context>
    <name>pellomar::ResultListView</name>
    <message>
        <source>Result rows</source>
        <translation>Lignes de résultats</translation>
    </message>
    <message>
        <source>Results</source>
        <translation>Résultats</translation>
    </message>
    <message>
        <source>Scroll results</source>
        <translation>Faire défiler les résultats</translation>
    </message>
</context>
<context>
    <name>pellomar::ResultLoader</name>
    <message>
        <source>Max Results</source>
        <translation>Nombre maximal de résultats</translation>
    </message>
    <message>
        <source>More then 300 hotspots were found that match your query.<byte value="xd"/>
<byte value="xd"/>
Please narrow your search</source>
        <translation>Plus de 300 hotspots correspondent à votre recherche.<byte value="xd"/>
<byte value="xd"/>
Veuillez affiner votre recherche</translation>
    </message>
</context>
<context>
    <name>pellomar::ResultPanel</name>
    <message>
        <source>Filter</source>
        <translation>Filtrer</translation>
    </message>
</context>
<context>
    <name>pellomar::SaveDialog</name>
    <message>
        <source>File exists... would you like to overwrite?</source>
        <translation>Le fichier existe déjà… Voulez-vous le remplacer ?</translation>
    </message>
</context>
<context>
    <name>pellomar::SearchExchange</name>
    <message>
        <source>Requesting Data...</source>
        <translation>Demande des données…</translation>
    </message>
    <message>
        <source>Connecting...</source>
        <translation>Connexion…</translation>
    </message>
    <message>
        <source>Data Downloaded - Loading Results...</source>
        <translation>Données téléchargées – chargement des résultats…</translation>
    </message>
</context>
<context>
    <name>pellomar::SearchReply</name>
    <message>
        <source>The directory server closed the connection without a reply</source>
        <translation>Le serveur d&apos;annuaire a fermé la connexion sans répondre</translation>
    </message>
    <message>
        <source>The directory server&apos;s reply is incomplete: its headers never end</source>
        <translation>La réponse du serveur d&apos;annuaire est incomplète : ses en-têtes ne se terminent jamais</translation>
    </message>
    <message>
        <source>The directory server&apos;s reply is not an HTTP reply</source>
        <translation>La réponse du serveur d&apos;annuaire n&apos;est pas une réponse HTTP</translation>
    </message>
    <message>
        <source>The directory server&apos;s reply is sent in a transfer coding this program cannot read</source>
        <translation>La réponse du serveur d&apos;annuaire utilise un codage de transfert que ce programme ne sait pas lire</translation>
    </message>
    <message>
        <source>The reply was not a hotspot directory&apos;s: the network may need a sign-in in the browser first</source>
        <translation>La réponse ne venait pas d&apos;un annuaire de hotspots : le réseau demande peut-être d&apos;abord une connexion dans le navigateur</translation>
    </message>
    <message>
        <source>The directory server&apos;s reply is no list of hotspots: it holds a line of more than %1 KiB</source>
        <translation>La réponse du serveur d&apos;annuaire n&apos;est pas une liste de hotspots : elle contient une ligne de plus de %1 Kio</translation>
    </message>
</context>
<context>
    <name>pellomar::ServerAddress</name>
    <message>
        <source>&apos;%1&apos; is not a HOST or HOST:PORT address (a port is 1 to 65535)</source>
        <translation>« %1 » n&apos;est pas une adresse HOTE ou HOTE:PORT (un port va de 1 à 65535)</translation>
    </message>
</context>
<context>
    <name>pellomar::ServerChoice</name>
    <message>
        <source>The settings file %1 cannot be written.</source>
        <translation>Le fichier de réglages %1 ne peut pas être écrit.</translation>
    </message>
</context>
<context>
    <name>pellomar::ServerDialog</name>
    <message>
        <source>Directory server</source>
        <translation>Serveur d&apos;annuaire</translation>
    </message>
    <message>
        <source>The hotspot &amp;directory to search, HOST or HOST:PORT:</source>
        <translation>L&apos;&amp;annuaire de hotspots à interroger, HOTE ou HOTE:PORT :</translation>
    </message>
    <message>
        <source>This run searches %1, named on the command line (--server). The server chosen here is searched from the next start on.</source>
        <translation>Cette session interroge %1, indiqué sur la ligne de commande (--server). Le serveur choisi ici sera interrogé à partir du prochain démarrage.</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Erreur</translation>
    </message>
</context>
<context>
    <name>pellomar::Settings</name>
    <message>
        <source>the settings file %1 is not a regular file</source>
        <translation>le fichier de réglages %1 n&apos;est pas un fichier ordinaire</translation>
    </message>
    <message>
        <source>the settings file %1 is larger than %2 MB</source>
        <translation>le fichier de réglages %1 dépasse %2 Mo</translation>
    </message>
    <message>
        <source>; it was not read</source>
        <translation> ; il n&apos;a pas été lu</translation>
    </message>
</context>
<context>
    <name>pellomar::TileLoader</name>
    <message>
        <source>a tile was larger than %1 MB</source>
        <translation>une tuile dépassait %1 Mo</translation>
    </message>
    <message>
        <source>the tile server answered %1 %2</source>
        <translation>le serveur de tuiles a répondu %1 %2</translation>
    </message>
    <message>
        <source>a tile was not a PNG picture of 256 or 512 pixels</source>
        <translation>une tuile n&apos;était pas une image PNG de 256 ou 512 pixels</translation>
    </message>
    <message>
        <source>the tile server refused the connection</source>
        <translation>le serveur de tuiles a refusé la connexion</translation>
    </message>
    <message>
        <source>the tile server&apos;s name was not found</source>
        <translation>le nom du serveur de tuiles est introuvable</translation>
    </message>
    <message>
        <source>the tile server did not answer in time</source>
        <translation>le serveur de tuiles n&apos;a pas répondu à temps</translation>
    </message>
    <message>
        <source>The tile cache %1 holds files that are not tiles and cannot be removed: tiles are not kept on disk.</source>
        <translation>Le cache de tuiles %1 contient des fichiers qui ne sont pas des tuiles et ne peuvent pas être supprimés : les tuiles ne sont pas conservées sur le disque.</translation>
    </message>
    <message>
        <source>A file in the tile cache %1 was not a tile; it was removed.</source>
        <translation>Un fichier du cache de tuiles %1 n&apos;était pas une tuile ; il a été supprimé.</translation>
    </message>
    <message>
        <source>%1 files in the tile cache %2 were not tiles; they were removed.</source>
        <translation>%1 fichiers du cache de tuiles %2 n&apos;étaient pas des tuiles ; ils ont été supprimés.</translation>
    </message>
</context>
<context>
    <name>pellomar::TileSource</name>
    <message>
        <source>Demo tiles drawn by pellomar-directory</source>
        <translation>Tuiles de démonstration dessinées par pellomar-directory</translation>
    </message>
    <message>
        <source>Map tiles: %1</source>
        <translation>Tuiles : %1</translation>
    </message>
    <message>
        <source>the setting %1 in %2 cannot be used: %3; mend it to see tiles</source>
        <translation>le réglage %1 dans %2 est inutilisable : %3 ; corrigez-le pour voir les tuiles</translation>
    </message>
    <message>
        <source>(empty)</source>
        <translation>(vide)</translation>
    </message>
    <message>
        <source>the tile server address %1 lacks %2: it must hold {z}, {x} and {y}</source>
        <translation>il manque %2 à l&apos;adresse du serveur de tuiles %1 : elle doit contenir {z}, {x} et {y}</translation>
    </message>
    <message>
        <source>the tile server address %1 must begin with http:// or https://</source>
        <translation>l&apos;adresse du serveur de tuiles %1 doit commencer par http:// ou https://</translation>
    </message>
    <message>
        <source>the tile server address %1 is not a valid web address</source>
        <translation>l&apos;adresse du serveur de tuiles %1 n&apos;est pas une adresse web valide</translation>
    </message>
    <message>
        <source>the tile server address %1 may hold {z}, {x}, {y} and {r} only after its host</source>
        <translation>l&apos;adresse du serveur de tuiles %1 ne peut contenir {z}, {x}, {y} et {r} qu&apos;après son hôte</translation>
    </message>
</context>
<context>
    <name>pellomar::frmAbout</name>
    <message>
        <source>About Pellomar hotspot finder</source>
        <translation>À propos de Pellomar</translation>
    </message>
    <message>
        <source>Pellomar may be shared and changed under the terms of the GNU General Public License, version 3 or any later version. It comes with no warranty.</source>
        <translation>Pellomar peut être partagé et modifié selon les termes de la licence publique générale GNU, version 3 ou toute version ultérieure. Il est fourni sans aucune garantie.</translation>
    </message>
</context>
<context>
    <name>pellomar::frmImage</name>
    <message>
        <source>Hotspot location image</source>
        <translation>Image du lieu du hotspot</translation>
    </message>
    <message>
        <source>Location image</source>
        <translation>Image du lieu</translation>
    </message>
</context>
<context>
    <name>pellomar::frmInfo</name>
    <message>
        <source>Hotspot information</source>
        <translation>Informations sur le hotspot</translation>
    </message>
    <message>
        <source>Location Name</source>
        <translation>Nom du lieu</translation>
    </message>
    <message>
        <source>Type</source>
        <translation>Type</translation>
    </message>
    <message>
        <source>Location Type</source>
        <translation>Type de lieu</translation>
    </message>
    <message>
        <source>Operator</source>
        <translation>Opérateur</translation>
    </message>
    <message>
        <source>Website URL</source>
        <translation>Site web</translation>
    </message>
    <message>
        <source>Phone Number</source>
        <translation>Téléphone</translation>
    </message>
    <message>
        <source>Email Address</source>
        <translation>E-mail</translation>
    </message>
    <message>
        <source>Address</source>
        <translation>Adresse</translation>
    </message>
    <message>
        <source>City</source>
        <translation>Ville</translation>
    </message>
    <message>
        <source>ZIP</source>
        <translation>CP</translation>
    </message>
    <message>
        <source>Country</source>
        <translation>Pays</translation>
    </message>
    <message>
        <source>Technology</source>
        <translation>Norme</translation>
    </message>
    <message>
        <source>SSid Info</source>
        <translation>Infos SSID</translation>
    </message>
    <message>
        <source>Latitude</source>
        <translation>Latitude</translation>
    </message>
    <message>
        <source>Longitude</source>
        <translation>Longitude</translation>
    </message>
    <message>
        <source>Location description :</source>
        <translation>Description du lieu :</translation>
    </message>
    <message>
        <source>Images may take a few seconds to download (if image is available)</source>
        <translation>Le téléchargement de l&apos;image peut prendre quelques secondes (si elle existe)</translation>
    </message>
    <message>
        <source>Location image</source>
        <translation>Image du lieu</translation>
    </message>
    <message>
        <source>Save hotspot to a text file</source>
        <translation>Enregistrer en texte</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Fermer</translation>
    </message>
    <message>
        <source>Show on map</source>
        <translation>Voir sur la carte</translation>
    </message>
    <message>
        <source>Text Files (*.txt)</source>
        <translation>Fichiers texte (*.txt)</translation>
    </message>
    <message>
        <source>Saved</source>
        <translation>Enregistré</translation>
    </message>
    <message>
        <source>Hotspot Information Saved!<byte value="xd"/>
<byte value="xd"/>
</source>
        <translation>Informations du hotspot enregistrées !<byte value="xd"/>
<byte value="xd"/>
</translation>
    </message>
</context>
<context>
    <name>pellomar::frmMain</name>
    <message>
        <source>Pellomar hotspot locator (v %1)</source>
        <translation>Pellomar, localisateur de hotspots (v %1)</translation>
    </message>
    <message>
        <source>Message</source>
        <translation>Message</translation>
    </message>
    <message>
        <source>Options</source>
        <translation>Options</translation>
    </message>
    <message>
        <source>&amp;Submit a Hotspot</source>
        <translation>Proposer un &amp;hotspot</translation>
    </message>
    <message>
        <source>Export results…</source>
        <translation>Exporter les résultats…</translation>
    </message>
    <message>
        <source>Show &amp;map</source>
        <translation>Afficher la &amp;carte</translation>
    </message>
    <message>
        <source>&amp;Recent searches…</source>
        <translation>Recherches &amp;récentes…</translation>
    </message>
    <message>
        <source>&amp;Directory server…</source>
        <translation>&amp;Serveur d&apos;annuaire…</translation>
    </message>
    <message>
        <source>&amp;About</source>
        <translation>À &amp;propos</translation>
    </message>
    <message>
        <source>&amp;Exit</source>
        <translation>&amp;Quitter</translation>
    </message>
    <message>
        <source>Country</source>
        <translation>Pays</translation>
    </message>
    <message>
        <source>Location Type</source>
        <translation>Type de lieu</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Erreur</translation>
    </message>
    <message>
        <source>Invalid %1. Please reselect from the list options.</source>
        <translation>%1 non valide. Veuillez choisir à nouveau dans la liste.</translation>
    </message>
    <message>
        <source>You have not selected a valid country!<byte value="xd"/>
<byte value="xd"/>
Please make a select from the country list.</source>
        <translation>Vous n&apos;avez pas choisi de pays valide !<byte value="xd"/>
<byte value="xd"/>
Veuillez en choisir un dans la liste des pays.</translation>
    </message>
    <message>
        <source>%1 This search could not be kept among the recent searches (%2); nothing else is lost.</source>
        <translation>%1 Cette recherche n&apos;a pas pu être conservée parmi les recherches récentes (%2) ; rien d&apos;autre n&apos;est perdu.</translation>
    </message>
    <message>
        <source>Searches go to %1 now.</source>
        <translation>Les recherches vont maintenant vers %1.</translation>
    </message>
    <message>
        <source>Search hotspots</source>
        <translation>Chercher des hotspots</translation>
    </message>
    <message>
        <source>%1.<byte value="xd"/>
<byte value="xd"/>
Choose another directory server?</source>
        <translation>%1.<byte value="xd"/>
<byte value="xd"/>
Choisir un autre serveur d&apos;annuaire ?</translation>
    </message>
    <message>
        <source>The results could not be loaded: %1</source>
        <translation>Les résultats n&apos;ont pas pu être chargés : %1</translation>
    </message>
    <message>
        <source>Results Loaded!</source>
        <translation>Résultats chargés !</translation>
    </message>
    <message numerus="yes">
        <source>%n Results</source>
        <translation>
            <numerusform>%n résultat</numerusform>
            <numerusform>%n résultats</numerusform>
        </translation>
    </message>
    <message>
        <source>Loading Results...</source>
        <translation>Chargement des résultats…</translation>
    </message>
</context>
</TS>
