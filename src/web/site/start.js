// The page starts once its scripts are all there.
'use strict';

startTavolini();
